#include "screens/WindowPlace.hpp"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "screens/Seam.hpp"

WindowPlace::WindowPlace(QWidget& window, Seam& seam, QString key)
    : QObject(&window), window_(window), seam_(seam), key_(std::move(key)) {
    window.installEventFilter(this);
}

bool WindowPlace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        const QEvent::Type t = event->type();
        if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Hide) remember();
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlace::remember() {
    if (window_.isVisible() && !window_.isMinimized()) seam_.setSetting(key_, window_.normalGeometry());
}

void WindowPlace::restore(QWidget* beside) {
    QRect place = seam_.setting(key_).toRect();
    QScreen* screen = place.isValid() ? QGuiApplication::screenAt(place.center()) : nullptr;
    if (!screen) {
        // Beside the screen it was opened from, on that screen's display.
        screen = beside ? beside->screen() : QGuiApplication::primaryScreen();
        place = QRect(QPoint(), window_.size());
        place.moveCenter(beside ? beside->frameGeometry().center() : screen->availableGeometry().center());
    }
    // Room for the frame around it, which is not known before it shows.
    const QRect room = screen->availableGeometry().adjusted(8, 32, -8, -8);
    place.setSize(place.size().boundedTo(room.size()));
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
    window_.setGeometry(place);
}

QVBoxLayout* scrollingClient(QWidget& window) {
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QVBoxLayout(client);
    auto* scroll = new QScrollArea(&window);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(client);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    return layout;
}
