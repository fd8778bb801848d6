// mkd: the desktop program. Without arguments it opens the start screen on
// the tables found by the rule in data/locations.hpp: Untin/ beside the
// executable, else the user's data folder, else the installed ones.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/DesktopSeam.hpp"
#include "app/quit_after_first_paint.hpp"
#include "data/locations.hpp"
#include "data/table_store.hpp"
#include "screens/ProgramStyle.hpp"
#include "screens/ScreenFlow.hpp"
#include "words/language.hpp"

namespace {

const char* kUsage =
    "Usage: mkd [--help | --version]\n"
    "\n"
    "みちくさダイヤ: fares and charges for the 岡山 – 高松 – 松山 – 宇和島 corridor.\n"
    "Without arguments, opens the start screen.\n"
    "\n"
    "The fare tables come from Untin/ beside the executable, else from\n"
    "~/.local/share/mkd/Untin, else from the installed share/mkd/Untin;\n"
    "`mkd-fare check` says which folder and which Henko.txt are in use.\n";

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

    // The folder comes from the executable's path as bytes: a folder whose
    // name is not UTF-8 would not survive a conversion to text.
    const std::string programFolder = mkd::executableFolder(argc > 0 ? argv[0] : nullptr);
    // The settings file's folder by the same rule as the stored pair's.
    const mkd::UserFolders user = mkd::userFoldersFromEnvironment();
    const std::string config = mkd::configFolder(user);
    DesktopSeam seam(QFile::decodeName(programFolder.c_str()), config.empty() ? std::string() : config + "/mkd.conf");
    // The box is shown from inside the event loop, like every other message,
    // so that whatever ends the loop (MKD_EXIT_AFTER_SHOWN) ends it too.
    const auto stop = [&seam](const std::string& why) {
        std::fprintf(stderr, "mkd: %s\n", why.c_str());
        QTimer::singleShot(0, qApp, [&seam, text = QString::fromStdString(why)] {
            seam.fatal(text);
            QCoreApplication::exit(1);
        });
        QApplication::exec();
        return 1;
    };
    // The language the user chose last, else the system's: also for a
    // start-up that fails before the screens.
    const mkd::Lang language = ScreenFlow::chosenLanguage(seam, mkd::systemLanguage());
    if (programFolder.empty()) return stop(std::string(mkd::text(mkd::Msg::ProgramFolderUnknown, language)));
    mkd::Locations where = mkd::findLocations(programFolder, user);
    if (where.source == mkd::TableSource::NotFound) return stop(mkd::describeNotFound(where, language));
    mkd::TableStore tables(std::move(where));
    ScreenFlow flow(seam, tables, language);
    seam.setLanguageSource([&flow] { return flow.language(); });
    if (!flow.start()) return seam.status();
    const int status = QApplication::exec();
    return seam.ended() ? seam.status() : status;
}
