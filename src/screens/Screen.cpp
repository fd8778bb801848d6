#include "screens/Screen.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "screens/ScreenFlow.hpp"
#include "screens/look.hpp"
#include "screens/program_font.hpp"

Screen::Screen(ScreenFlow& f, const char* name, const QString& caption, int clientWidthTwips, int clientHeightTwips)
    : flow(f), client(new QWidget(this)) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setFont(font(9));
    setAttribute(Qt::WA_DeleteOnClose, false);

    look::window(this);

    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(px(clientWidthTwips), px(clientHeightTwips));
    look::window(client);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QRect Screen::twips(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

QFont Screen::font(double points) { return programFont(points); }

void Screen::setPoints(QWidget* w, double points) {
    // Controls inherit the screen's 9 pt font; only other sizes are set, as
    // every font change makes a drop-down list rebuild its hidden popup.
    const QFont f = font(points);
    if (w->font().pixelSize() != f.pixelSize()) w->setFont(f);
}

QString Screen::spokenCaption(const QString& caption) {
    QString spoken = caption;
    spoken.remove(QChar(0x3000));
    return spoken.trimmed();
}

void Screen::setVisible(bool visible) {
    if (visible != isVisible()) {
        if (visible)
            flow.placeScreen(*this);
        else
            flow.screenHidden(*this);
    }
    QMainWindow::setVisible(visible);
    if (!visible) return;
    // Fusion draws the focus ring only once the keyboard has moved the
    // focus; a user who starts with the keyboard must see where it is.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (scroll_ && focusWidget()) scroll_->ensureWidgetVisible(focusWidget());
}

void Screen::fitWithin(QSize room) {
    if (layout()) layout()->activate();
    const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    const QSize whole(client->width(), client->height() + menu);
    if (!scroll_ && whole.width() <= room.width() && whole.height() <= room.height()) return;
    if (!scroll_) {
        // The client area keeps its size and every control its place; only
        // the window around it is smaller, and scrolls.
        // The control that has the focus keeps it: the scroll area itself
        // is no stop on the way, so focus on 再検索 stays there.
        QWidget* focus = focusWidget();
        scroll_ = new QScrollArea;
        scroll_->setObjectName(QStringLiteral("scroll"));
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setFocusPolicy(Qt::NoFocus);
        scroll_->setWidget(takeCentralWidget());
        look::window(scroll_->viewport());
        setCentralWidget(scroll_);
        if (focus) focus->setFocus();
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    QSize size = whole;
    if (whole.height() > room.height()) size.rwidth() += bar;
    if (whole.width() > room.width()) size.rheight() += bar;
    setFixedSize(size.boundedTo(room));
}

void Screen::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Alt) altAlone_ = false;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    QWidget* focus = focusWidget();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
        // Qt's buttons take Enter only in dialogs; these screens are windows.
        QAbstractButton* target = qobject_cast<QAbstractButton*>(focus);
        if (!target && qobject_cast<QComboBox*>(focus)) target = listEnterButton;
        if (target && target->isEnabled() && target->isVisibleTo(this)) target->click();
        return;
    }
    if (key == Qt::Key_Escape && plain) {
        auto* back = client->findChild<QPushButton*>(QStringLiteral("cmdBack"));
        if (back && back->isEnabled() && back->isVisibleTo(this)) back->click();
        return;
    }
    if (key == Qt::Key_F10 && plain) {
        openMenu();
        return;
    }
    if (key == Qt::Key_Alt && (event->modifiers() & ~Qt::AltModifier) == Qt::NoModifier) {
        altAlone_ = true;
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Screen::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Alt && altAlone_) {
        altAlone_ = false;
        openMenu();
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void Screen::openMenu() {
    auto* bar = qobject_cast<QMenuBar*>(menuWidget());
    if (!bar) return;
    for (QAction* a : bar->actions())
        if (a->menu() && a->isEnabled() && a->isVisible()) {
            bar->setActiveAction(a);
            return;
        }
}

bool Screen::eventFilter(QObject* watched, QEvent* event) {
    // A wheel turned over a list on the way to somewhere else must not
    // change the station under the pointer.
    if (event->type() == QEvent::Wheel) {
        auto* list = qobject_cast<QComboBox*>(watched);
        if (list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Screen::captionOf(const char* labelName, QWidget* control) {
    auto* label = client->findChild<QLabel*>(QString::fromLatin1(labelName));
    if (!label) return;
    label->setBuddy(control);
    // A label names another label (an amount) through the buddy alone: its
    // own name is its text, the amount.
    if (!qobject_cast<QLabel*>(control)) control->setAccessibleName(spokenCaption(label->text()));
}

void Screen::nameGroup(const QString& name, std::initializer_list<QRadioButton*> options, QWidget* frame) {
    if (frame) frame->setAccessibleName(name);
    for (QRadioButton* o : options) o->setAccessibleDescription(name);
}

void Screen::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeBox();
}

void Screen::closeBox() { flow.unload(*this); }

QLabel* Screen::addLabel(const char* name, const QString& text, QRect rect, double points, Qt::Alignment align) {
    auto* l = new QLabel(text, client);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    setPoints(l, points);
    l->setAlignment(align);
    look::caption(l);
    if (text.contains(QChar(0x3000))) l->setAccessibleName(spokenCaption(text));
    return l;
}

QPushButton* Screen::addButton(const char* name, const QString& text, QRect rect, double points) {
    auto* b = new QPushButton(text, client);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    setPoints(b, points);
    b->setAutoDefault(false);
    look::button(b);
    return b;
}

QComboBox* Screen::addList(const char* name, QRect rect) {
    auto* c = new QComboBox(client);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(rect);
    c->setMaxVisibleItems(16);
    // The wheel changes a list only once it has the focus (see eventFilter).
    c->setFocusPolicy(Qt::StrongFocus);
    c->installEventFilter(this);
    look::list(c);
    return c;
}

QRadioButton* Screen::addOption(const char* name, const QString& text, QRect rect, double points, QWidget* parent) {
    auto* o = new QRadioButton(text, parent ? parent : client);
    o->setObjectName(QString::fromLatin1(name));
    o->setGeometry(rect);
    setPoints(o, points);
    look::caption(o);
    if (text.contains(QChar(0x3000))) o->setAccessibleName(spokenCaption(text));
    return o;
}

QFrame* Screen::addFrame(const char* name, QRect rect) {
    auto* f = new QFrame(client);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(rect);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}
