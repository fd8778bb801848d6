// mkd-scenario: replays a user's session against the real screens.
//
//   mkd-scenario [--appdir DIR] [--today YYYY-MM-DD] [--lang ja|en] FILE...
#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "Monkey.hpp"
#include "ScenarioRunner.hpp"
#include "screens/KindScreens.hpp"
#include "screens/ProgramStyle.hpp"
#include "words/language.hpp"

namespace {

const char* kUsage =
    "Usage: mkd-scenario [--appdir DIR] [--today YYYY-MM-DD] [--lang ja|en] FILE...\n"
    "\n"
    "Replays each scenario FILE against the real screens (offscreen) in a fresh\n"
    "program whose application directory is a temporary copy of DIR (default:\n"
    "the folder of this program). Prints one line per failed check and then\n"
    "'N passed, M failed'. Exit status 0 when nothing failed, 1 otherwise, 2 for\n"
    "a usage error. The file format is described in docs/scenarios.md.\n"
    "\n"
    "  --lang ja|en       the system's language the program starts in (default ja,\n"
    "                     whatever the environment says, so that scenarios read\n"
    "                     the Japanese captions)\n"
    "  --screenshots DIR  save a PNG of the shown screen after every action\n"
    "  --platform NAME    Qt platform to draw on (default offscreen; xcb under Xvfb)\n"
    "  --monkey STEPS     instead of replaying files, take STEPS random user actions\n"
    "                     and check the program after each (exit 1 and a replay\n"
    "                     scenario on stdout when a check fails)\n"
    "  --seed N           the random user's seed (default 1)\n"
    "  --timing           time each select, click and close until the screens have\n"
    "                     drawn; print the median and worst on stderr at the end\n"
    "  --list-kinds       print the screens of each kind of enquiry as JSON lines\n"
    "                     (the way in and its menu, section, date, choice and result screens,\n"
    "                     the result's marker) for tools that drive the screens\n";

// One JSON object per kind of enquiry, from the same rows the screens use.
void listKinds() {
    const auto field = [](const char* name, const char* value) {
        return value ? QStringLiteral("\"%1\": \"%2\"").arg(QLatin1String(name), QString::fromUtf8(value))
                     : QStringLiteral("\"%1\": null").arg(QLatin1String(name));
    };
    QTextStream out(stdout);
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const KindScreens& row = kindScreens(kind);
        const std::string id(mkd::enquiryShape(kind).id);
        const QStringList fields{field("id", id.c_str()),
                                 field("entry", row.entry),
                                 field("entry_menu", row.entryMenu),
                                 field("section", row.section),
                                 field("leave_section", row.leaveSection),
                                 field("date", row.date),
                                 field("choice", row.choice),
                                 field("result", row.result),
                                 field("marker", row.marker)};
        out << "{" << fields.join(QStringLiteral(", ")) << "}\n";
    }
}

// The offscreen platform talks about what it cannot do with real windows;
// none of it matters for a replay, and it would drown the report.
void quietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.contains(QLatin1String("propagateSizeHints")) || text.contains(QLatin1String("XDG_RUNTIME_DIR"))) return;
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

int usage(const char* problem) {
    if (problem) std::fprintf(stderr, "mkd-scenario: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless told otherwise: --platform xcb draws real windows
    // (under Xvfb, for screenshots).
    QByteArray platform = "offscreen";
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--platform")) platform = argv[i + 1];
    qputenv("QT_QPA_PLATFORM", platform);
    qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    QApplication::setQuitOnLastWindowClosed(false);

    QString appDir = QCoreApplication::applicationDirPath();
    std::optional<mkd::Date> today;
    QStringList files;
    QString shots;
    bool timing = false;
    mkd::Lang language = mkd::Lang::Japanese;
    long monkeySteps = -1;
    unsigned long long seed = 1;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == QLatin1String("--list-kinds")) {
            listKinds();
            return 0;
        }
        if (a == QLatin1String("--timing")) {
            timing = true;
            continue;
        }
        if (a == QLatin1String("--monkey") || a == QLatin1String("--seed")) {
            bool ok = false;
            if (a == QLatin1String("--monkey")) {
                monkeySteps = args.value(++i).toLong(&ok);
                ok = ok && monkeySteps >= 0;
            } else {
                seed = args.value(++i).toULongLong(&ok);
            }
            if (!ok) return usage("--monkey and --seed take a number");
            continue;
        }
        if (a == QLatin1String("--platform") || a == QLatin1String("--screenshots")) {
            if (i + 1 >= args.size()) return usage("an option lacks its value");
            if (a == QLatin1String("--screenshots")) shots = QDir(args[i + 1]).absolutePath();
            ++i;
            continue;
        }
        if (a == QLatin1String("--lang")) {
            const auto chosen = mkd::languageFromCode(args.value(++i).toStdString());
            if (!chosen) return usage("--lang takes ja or en");
            language = *chosen;
            continue;
        }
        if (a == QLatin1String("--appdir") || a == QLatin1String("--today")) {
            if (i + 1 >= args.size()) return usage("an option lacks its value");
            const QString v = args[++i];
            if (a == QLatin1String("--appdir")) {
                if (!QDir(v).exists()) return usage("--appdir: no such folder");
                appDir = QDir(v).absolutePath();
            } else if (!(today = parseIsoDate(v))) {
                return usage("--today takes a date YYYY-MM-DD");
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage("unknown option");
        } else {
            files << a;
        }
    }
    if (monkeySteps >= 0) {
        QTextStream out(stdout);
        return runMonkey({appDir, today, monkeySteps, seed}, out);
    }
    if (files.isEmpty()) return usage("no scenario file given");

    QTextStream out(stdout);
    ScenarioRunner runner(appDir, today, out);
    runner.setScreenshotFolder(shots);
    runner.setLanguage(language);
    runner.setTiming(timing);
    for (const QString& f : files) runner.runFile(f);
    out << runner.passed() << " passed, " << runner.failed() << " failed\n";
    out.flush();
    if (timing) std::fprintf(stderr, "timing: %s\n", qPrintable(runner.timingReport()));
    return runner.failed() == 0 ? 0 : 1;
}
