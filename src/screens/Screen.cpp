#include "screens/Screen.hpp"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "screens/ScreenFlow.hpp"
#include "screens/look.hpp"
#include "screens/program_font.hpp"

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

void Screen::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeBox();
}

void Screen::closeBox() { flow.unload(*this); }

QString Screen::words(const char* source) const {
    // lupdate files a QT_TR_NOOP text under the class whose code holds it:
    // the screen's own class, or the common shape it inherits the control
    // from (ChoiceScreen, DateScreen). Without a translation Qt hands back
    // the source, which is then the Japanese itself.
    const QString japanese = QString::fromUtf8(source);
    for (const QMetaObject* m = metaObject(); m && m != &Screen::staticMetaObject; m = m->superClass()) {
        QString translated = QCoreApplication::translate(m->className(), source);
        if (translated != japanese) return translated;
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
    }
}

void Screen::showTitle() { setWindowTitle(words(caption_)); }

void Screen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        showTitle();
        for (const Shown& s : shown_) apply(s);
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
    look::list(c);
    return c;
}

QRadioButton* Screen::addOption(const char* name, const char* text, QRect rect, double points, QWidget* parent) {
    auto* o = new QRadioButton(parent ? parent : client);
    o->setObjectName(QString::fromLatin1(name));
    o->setGeometry(rect);
    setPoints(o, points);
    look::caption(o);
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
