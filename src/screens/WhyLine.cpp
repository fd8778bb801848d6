#include "screens/WhyLine.hpp"

#include <QFocusEvent>

WhyLine::WhyLine(QWidget* client) : QLabel(client), clientHeight_(client->height()) {
    setObjectName(QStringLiteral("lblWhyOff"));
    int bottom = 0;
    for (const QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != this) bottom = std::max(bottom, w->geometry().bottom() + 1);
    top_ = bottom + 2;
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hide();
}

void WhyLine::watch(std::initializer_list<QWidget*> place, std::function<QString()> why) {
    for (QWidget* w : place) w->installEventFilter(this);
    places_.push_back({std::vector<QWidget*>(place), std::move(why)});
}

void WhyLine::say(const QString& why) {
    QWidget* client = parentWidget();
    if (why.isEmpty()) {
        if (isHidden()) return;
        hide();
        clear();
        client->setFixedHeight(clientHeight_);
        return;
    }
    setText(why);
    const int margin = 4;
    const int width = client->width() - 2 * margin;
    const int height = heightForWidth(width);
    setGeometry(margin, top_, width, height);
    client->setFixedHeight(std::max(clientHeight_, top_ + height + margin));
    show();
}

bool WhyLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    const auto* focus = static_cast<QFocusEvent*>(event);
    if (event->type() == QEvent::FocusOut) {
        if (focus->reason() != Qt::PopupFocusReason) say({});
        return false;
    }
    const bool byKeyboard = focus->reason() == Qt::TabFocusReason || focus->reason() == Qt::BacktabFocusReason ||
                            focus->reason() == Qt::ShortcutFocusReason;
    if (!byKeyboard) return false;
    for (const Place& p : places_)
        if (std::find(p.widgets.begin(), p.widgets.end(), watched) != p.widgets.end()) {
            const QString why = p.why();
            if (!why.isEmpty()) {
                say(why);
                return false;
            }
        }
    return false;
}
