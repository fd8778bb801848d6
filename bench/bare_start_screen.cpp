// What Qt charges for drawing the start screen itself: a plain Qt Widgets
// program that builds the same window as mkd's start screen (the same
// captions, positions, font sizes, colours, style and menu bar, through the
// program's own font, colour and style helpers) and nothing else: no fare
// tables, no station catalogue, no screen flow, and each list holds only the
// station it shows. mkd measured against it is the cost of
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
#include "screens/look.hpp"
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
    look::caption(l);
}

void button(QWidget* parent, const QString& text, QRect rect) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(rect);
    look::button(b);
}

void list(QWidget* parent, const QString& station, QRect rect) {
    auto* c = new QComboBox(parent);
    c->setGeometry(rect);
    look::list(c);
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
    look::window(&window);
    auto* client = new QWidget(&window);
    client->setFixedSize(226, 154);
    look::window(client);
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
    button(client, QStringLiteral("⇄"), twips(1530, 1395, 315, 255));

    QMenuBar* bar = window.menuBar();
    look::menuBar(bar);
    bar->addMenu(QStringLiteral("初期表示"))->addAction(QStringLiteral("変更"));
    QMenu* marine = bar->addMenu(QStringLiteral("マリンライナー"));
    marine->addAction(QStringLiteral("指定席"));
    marine->addAction(QStringLiteral("グリーン車"));
    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ"));
    help->addAction(QStringLiteral("使い方"));
    help->addAction(QStringLiteral("バージョン情報"));
    QMenu* language = bar->addMenu(QStringLiteral("表示言語 / Language"));
    language->addAction(QStringLiteral("日本語"));
    language->addAction(QStringLiteral("English"));

    window.show();
    return QApplication::exec();
}
