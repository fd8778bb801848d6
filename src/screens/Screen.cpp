#include "screens/Screen.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>

#include "screens/ScreenFlow.hpp"
#include "screens/look.hpp"
#include "screens/program_font.hpp"

Screen::Screen(ScreenFlow& f, const char* name, const QString& caption, int clientWidthTwips,
               int clientHeightTwips)
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

QRect Screen::twips(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

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

QLabel* Screen::addLabel(const char* name, const QString& text, QRect rect, double points,
                         Qt::Alignment align) {
    auto* l = new QLabel(text, client);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    setPoints(l, points);
    l->setAlignment(align);
    look::caption(l);
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
    look::list(c);
    return c;
}

QRadioButton* Screen::addOption(const char* name, const QString& text, QRect rect, double points,
                                QWidget* parent) {
    auto* o = new QRadioButton(text, parent ? parent : client);
    o->setObjectName(QString::fromLatin1(name));
    o->setGeometry(rect);
    setPoints(o, points);
    look::caption(o);
    return o;
}

QFrame* Screen::addFrame(const char* name, QRect rect) {
    auto* f = new QFrame(client);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(rect);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}
