// What Qt charges for drawing the start screen itself: a plain Qt Widgets
// program that builds the same window as mkd's start screen (the same
// captions, positions, font sizes, colours, style and menu bar) and nothing
// else: no fare tables, no station catalogue, no screen flow, and each list
// holds only the station it shows. mkd measured against it is the cost of
// mkd's own work at start-up; against bench/bare_window.cpp, the cost of
// mkd's own work and of its screen's richer content together.
// Quits after its first paint with MKD_EXIT_AFTER_SHOWN=1, as mkd does.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/quit_after_first_paint.hpp"
#include "screens/ProgramStyle.hpp"
#include "screens/program_font.hpp"

namespace {

QRect twips(int left, int top, int width, int height) {
    auto px = [](int t) { return (t + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

void label(QWidget* parent, const QString& text, QRect rect, double points) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(rect);
    if (points != 9) l->setFont(programFont(points));
    l->setAlignment(Qt::AlignCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
}

void button(QWidget* parent, const QString& text, QRect rect) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(rect);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, QColor(224, 224, 224));
    p.setColor(QPalette::ButtonText, Qt::black);
    b->setPalette(p);
}

void list(QWidget* parent, const QString& station, QRect rect) {
    auto* c = new QComboBox(parent);
    c->setGeometry(rect);
    QPalette p = c->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(224, 224, 224));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::WindowText, Qt::black);
    c->setPalette(p);
    c->addItem(station);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    QuitAfterFirstPaint quitAfterFirstPaint;
    quitAfterFirstPaint.installIfAsked(app);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("乗車区間"));
    window.setFont(programFont(9));
    QPalette dark = window.palette();
    dark.setColor(QPalette::Window, QColor(64, 64, 64));
    window.setPalette(dark);
    window.setAutoFillBackground(true);
    auto* client = new QWidget(&window);
    client->setFixedSize(226, 154);
    client->setAutoFillBackground(true);
    client->setPalette(dark);
    window.setCentralWidget(client);

    label(client, QStringLiteral("選択してください。"), twips(120, 225, 3135, 375), 15.75);
    label(client, QStringLiteral("乗車駅"), twips(360, 720, 975, 255), 12);
    label(client, QStringLiteral("降車駅"), twips(2040, 720, 975, 255), 12);
    list(client, QStringLiteral("岡山"), twips(240, 1080, 1215, 300));
    label(client, QStringLiteral("⇒"), twips(1440, 1080, 495, 255), 14.25);
    list(client, QStringLiteral("宇和島"), twips(1920, 1080, 1215, 300));
    button(client, QStringLiteral("特急利用"), twips(120, 1680, 975, 375));
    button(client, QStringLiteral("普通列車"), twips(1200, 1680, 975, 375));
    button(client, QStringLiteral("終了"), twips(2280, 1680, 975, 375));

    QMenuBar* bar = window.menuBar();
    QPalette light = bar->palette();
    light.setColor(QPalette::Window, QColor(240, 240, 240));
    light.setColor(QPalette::WindowText, Qt::black);
    light.setColor(QPalette::ButtonText, Qt::black);
    bar->setPalette(light);
    bar->setAutoFillBackground(true);
    bar->addMenu(QStringLiteral("初期表示"))->addAction(QStringLiteral("変更"));
    QMenu* marine = bar->addMenu(QStringLiteral("マリンライナー"));
    marine->addAction(QStringLiteral("指定席"));
    marine->addAction(QStringLiteral("グリーン車"));

    window.show();
    return QApplication::exec();
}
