// The floor for start-up: the least a Qt Widgets program showing Japanese
// text does. One window, one label in the program's bold gothic face, shown.
// With MKD_EXIT_AFTER_SHOWN=1 it quits after its first paint, exactly as mkd
// does (src/app/main.cpp), so that bench/startup_bench.cpp can time both the
// same way.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include "app/quit_after_first_paint.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QuitAfterFirstPaint quitAfterFirstPaint;
    quitAfterFirstPaint.installIfAsked(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("乗車区間"));
    auto* label = new QLabel(QStringLiteral("選択してください。"), &window);
    // The same faces, in the same order, as Screen::font (src/screens/Screen.cpp).
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setBold(true);
    font.setPixelSize(21);
    label->setFont(font);
    label->setGeometry(8, 15, 209, 25);
    window.resize(226, 154);
    window.show();
    return QApplication::exec();
}
