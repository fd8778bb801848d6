#include "screens/Screen.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "screens/ScreenFlow.hpp"
#include "screens/StationFinder.hpp"
#include "screens/look.hpp"
#include "screens/program_font.hpp"
#include "screens/shortcuts.hpp"

Screen::Screen(ScreenFlow& f, const char* name, const char* caption, int clientWidthTwips, int clientHeightTwips)
    : flow(f), client(new QWidget(this)), caption_(caption) {
    setObjectName(QString::fromLatin1(name));
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
        if (auto* list = qobject_cast<QComboBox*>(focus); !target && list) {
            if (enterInList(list)) return;
            target = listEnterButton;
        }
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

bool Screen::enterInList(QComboBox*) { return false; }

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
    // An option group takes the focus on its chosen option, so that the
    // arrow keys always change the choice from there.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* option = qobject_cast<QRadioButton*>(watched);
        if (option && !option->isChecked() && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            for (auto* other : option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
                if (other->isChecked() && other->isVisibleTo(this) && other->isEnabled()) {
                    other->setFocus(reason);
                    break;
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
    if (qobject_cast<QLabel*>(control)) return;
    if (auto* list = qobject_cast<QComboBox*>(control)) nameByCaption(list);
    named_.push_back({control, label});
    nameAfterCaption(named_.back());
}

void Screen::nameAfterCaption(const Named& n) {
    if (n.control && n.caption) n.control->setAccessibleName(spokenCaption(n.caption->text()));
}

void Screen::nameGroup(const char* name, std::initializer_list<QRadioButton*> options, QWidget* frame) {
    if (frame) setWords(frame, name, Words::AccessibleName);
    for (QRadioButton* o : options) setWords(o, name, Words::AccessibleDescription);
}

void Screen::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeBox();
}

void Screen::closeBox() { flow.unload(*this); }

QString Screen::words(const char* source) const {
    // lupdate files a QT_TR_NOOP text under the class whose code holds it:
    // the screen's own class, the common shape it inherits the control from
    // (ChoiceScreen, DateScreen), or Screen itself (the station pair's
    // captions). Without a translation Qt hands back the source, which is
    // then the Japanese itself.
    const QString japanese = QString::fromUtf8(source);
    for (const QMetaObject* m = metaObject(); m; m = m->superClass()) {
        QString translated = QCoreApplication::translate(m->className(), source);
        if (translated != japanese) return translated;
        if (m == &Screen::staticMetaObject) break;
    }
    return japanese;
}

void Screen::setWords(QObject* target, const char* source, Words where) {
    shown_.push_back({target, source, where});
    apply(shown_.back());
}

void Screen::apply(const Shown& s) const {
    if (!s.target) return;
    const QString text = words(s.source);
    auto* widget = qobject_cast<QWidget*>(s.target);
    auto* action = qobject_cast<QAction*>(s.target);
    switch (s.where) {
        case Words::Text:
            if (auto* l = qobject_cast<QLabel*>(s.target))
                l->setText(text);
            else if (auto* b = qobject_cast<QAbstractButton*>(s.target))
                b->setText(text);
            else if (auto* m = qobject_cast<QMenu*>(s.target))
                m->setTitle(text);
            else if (action)
                action->setText(text);
            // A caption padded with ideographic spaces ("　片　道") is read
            // without them; any other is read as it is shown.
            if (widget && !qobject_cast<QMenu*>(widget))
                widget->setAccessibleName(text.contains(QChar(0x3000)) ? spokenCaption(text) : QString());
            break;
        case Words::ToolTip:
            if (widget)
                widget->setToolTip(text);
            else if (action)
                action->setToolTip(text);
            break;
        case Words::AccessibleName:
            if (widget) widget->setAccessibleName(text);
            break;
        case Words::AccessibleDescription:
            if (widget) widget->setAccessibleDescription(text);
            break;
    }
}

void Screen::showTitle() { setWindowTitle(words(caption_)); }

void Screen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        showTitle();
        for (const Shown& s : shown_) apply(s);
        for (const Named& n : named_) nameAfterCaption(n);
        languageChanged();
    }
    QMainWindow::changeEvent(event);
}

QLabel* Screen::addLabel(const char* name, const char* text, QRect rect, double points, Qt::Alignment align) {
    auto* l = new QLabel(client);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    setPoints(l, points);
    l->setAlignment(align);
    look::caption(l);
    if (text) setWords(l, text);
    return l;
}

QPushButton* Screen::addButton(const char* name, const char* text, QRect rect, double points) {
    auto* b = new QPushButton(client);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    setPoints(b, points);
    b->setAutoDefault(false);
    look::button(b);
    setWords(b, text);
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

QRadioButton* Screen::addOption(const char* name, const char* text, QRect rect, double points, QWidget* parent) {
    auto* o = new QRadioButton(parent ? parent : client);
    o->setObjectName(QString::fromLatin1(name));
    o->setGeometry(rect);
    setPoints(o, points);
    look::caption(o);
    o->installEventFilter(this);
    setWords(o, text);
    return o;
}

QFrame* Screen::addFrame(const char* name, QRect rect) {
    auto* f = new QFrame(client);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(rect);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

void Screen::addControls(std::initializer_list<ControlRow> rows) {
    for (const ControlRow& r : rows) {
        const QRect rect = twips(r.left, r.top, r.width, r.height);
        switch (r.kind) {
            case ControlRow::Label:
                addLabel(r.name, r.caption, rect, r.points, r.align);
                break;
            case ControlRow::Button:
                addButton(r.name, r.caption, rect, r.points);
                break;
            case ControlRow::List:
                addList(r.name, rect);
                break;
            case ControlRow::Option:
                addOption(r.name, r.caption, rect, r.points, r.frame ? control<QFrame>(r.frame) : nullptr);
                break;
            case ControlRow::Frame:
                addFrame(r.name, rect);
                break;
        }
    }
}

void Screen::addStationPair(mkd::StationList list, int shift) {
    const int x = -shift;
    addControls({
        {ControlRow::Label, "lblHatu", QT_TR_NOOP("乗車駅"), 360 + x, 720, 975, 255, 12, Qt::AlignCenter},
        {ControlRow::Label, "lblKousha", QT_TR_NOOP("降車駅"), 2040 + x, 720, 975, 255, 12, Qt::AlignCenter},
        {ControlRow::List, "cboHatu", nullptr, 240 + x, 1080, 1215, 300},
        {ControlRow::Label, "lblYajirusi", "⇒", 1440 + x, 1080, 495, 255, 14.25, Qt::AlignCenter},
        {ControlRow::List, "cboTyaku", nullptr, 1920 + x, 1080, 1215, 300},
    });
    captionOf("lblHatu", control<QComboBox>("cboHatu"));
    captionOf("lblKousha", control<QComboBox>("cboTyaku"));
    for (const char* name : {"cboHatu", "cboTyaku"})
        new StationFinder(control<QComboBox>(name), list, [this] { return flow.language(); });
    // Alt+1 and Alt+2 take the focus to either list from anywhere on the
    // screen, so that a typed name always goes into a list.
    int n = 0;
    for (const char* name : {"cboHatu", "cboTyaku"}) {
        auto* go = new QAction(this);
        go->setShortcut(shortcutKey(++n == 1 ? Shortcut::DepartureList : Shortcut::ArrivalList));
        QComboBox* target = control<QComboBox>(name);
        connect(go, &QAction::triggered, target, [this, target] {
            altAlone_ = false;  // Alt was not pressed alone: its release opens no menu
            target->setFocus(Qt::ShortcutFocusReason);
        });
        addAction(go);
    }
}

QMenu* Screen::addMenu(const char* name, const char* title) {
    QMenu* m = menuBar()->addMenu(QString());
    m->setObjectName(QString::fromLatin1(name));
    setWords(m, title);
    return m;
}

QAction* Screen::addMenuItem(QMenu* menu, const char* name, const char* text) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    setWords(a, text);
    return a;
}
