// mkd: the desktop program. Without arguments it opens the start screen on
// the tables in Untin/ beside the executable.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/DesktopSeam.hpp"
#include "app/quit_after_first_paint.hpp"
#include "data/mdlKeisan.hpp"
#include "screens/ProgramStyle.hpp"
#include "screens/ScreenFlow.hpp"
#include "words/language.hpp"

namespace {

const char* kUsage =
    "Usage: mkd [--help | --version]\n"
    "\n"
    "みちくさダイヤ: fares and charges for the 岡山 – 高松 – 松山 – 宇和島 corridor.\n"
    "Without arguments, opens the start screen. The fare tables are read from\n"
    "the folder Untin/ beside the executable.\n";

bool displayAvailable() {
    if (const char* p = std::getenv("QT_QPA_PLATFORM"); p && *p) return true;
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("mkd %s\n", MKD_VERSION);
            return 0;
        }
        std::fprintf(stderr, "mkd: unknown argument '%s'\n%s", argv[i], kUsage);
        return 2;
    }
    if (!displayAvailable()) {
        std::fputs(
            "mkd: no display to open the window on (DISPLAY is not set).\n"
            "Run it in a desktop session, or under a virtual display: xvfb-run mkd\n",
            stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    QApplication::setQuitOnLastWindowClosed(false);
    QuitAfterFirstPaint quitAfterFirstPaint;
    quitAfterFirstPaint.installIfAsked(app);

    DesktopSeam seam(QCoreApplication::applicationDirPath());
    mkd::mdlKeisan tables(seam.applicationDirectory().toStdString());
    ScreenFlow flow(seam, tables, mkd::systemLanguage());
    if (!flow.start()) return seam.status();
    const int status = QApplication::exec();
    return seam.ended() ? seam.status() : status;
}
