// The floor for start-up: the least a Qt Widgets program showing Japanese
// text does. One window, one label in the program's own font, shown.
// With MKD_EXIT_AFTER_SHOWN=1 it quits after its first paint, exactly as mkd
// does (src/app/main.cpp), so that bench/startup_bench.cpp can time both the
// same way.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "app/quit_after_first_paint.hpp"
#include "screens/program_font.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QuitAfterFirstPaint quitAfterFirstPaint;
    quitAfterFirstPaint.installIfAsked(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("乗車区間"));
    auto* label = new QLabel(QStringLiteral("選択してください。"), &window);
    label->setFont(programFont(15.75));  // the very font of mkd's largest caption
    label->setGeometry(8, 15, 209, 25);
    window.resize(226, 154);
    window.show();
    return QApplication::exec();
}
