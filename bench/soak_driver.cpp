// The memory soak's user, as a Qt generic plugin loaded into the real mkd:
//
//   QT_PLUGIN_PATH=DIR QT_QPA_GENERIC_PLUGINS=mkdsoak:ENQUIRIES:SCENARIO mkd
//
// (DIR holds generic/libmkd-soak-driver.so). Once the start screen shows, it
// takes the select and click actions of SCENARIO (bench/response.scn) again
// and again, one each time the event loop is idle, as a user's clicks come;
// it answers the program's message boxes with OK. It prints the resident
// memory after a warm-up of 1,000 enquiries (presses of a passenger button)
// and after every 1,000 more, ends the program after ENQUIRIES more, and
// prints a "summary|…" line for bench/run.sh. An action that cannot be taken
// ends the program with status 1, and so does a program that stops answering:
// no step for kStalledSeconds (a watchdog thread ends it, as the event loop
// that would notice is the one that hangs).
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGenericPlugin>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

double residentMb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2) return 0;
    return fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

bool isEnquiry(const QString& control) {
    return control.endsWith(QLatin1String(".cmdOtona")) || control.endsWith(QLatin1String(".cmdKodomo")) ||
           control.endsWith(QLatin1String(".cmdGakuwari"));
}

// The user's actions (and message boxes answered), counted; a thread ends
// the program when none was taken for kStalledSeconds: a start screen that
// never shows, an action that never returns. (Atomic and never destroyed: the thread outlives
// everything else.)
constexpr int kStalledSeconds = 60;
std::atomic<long> steps{0};

void startWatchdog() {
    std::thread([] {
        long seen = -1;
        int still = 0;
        while (true) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const long now = steps.load();
            still = now == seen ? still + 1 : 0;
            seen = now;
            if (still < kStalledSeconds) continue;
            std::fprintf(stderr, "mkd soak: no step for %d s (the program stopped answering)\n", kStalledSeconds);
            std::fflush(stderr);
            std::_Exit(1);
        }
    }).detach();
}

class SoakUser : public QObject {
public:
    SoakUser(long enquiries, const QString& scenario) : end_(kWarmup + enquiries) {
        std::fprintf(stderr, "mkd soak: driving, %ld enquiries after a warm-up of %ld\n", enquiries, kWarmup);
        startWatchdog();
        QFile in(scenario);
        if (in.open(QIODevice::ReadOnly | QIODevice::Text))
            for (const QString& line : QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'))) {
                const QStringList w = line.simplified().split(QLatin1Char(' '));
                if ((w.size() == 3 && w[0] == QLatin1String("select")) ||
                    (w.size() == 2 && w[0] == QLatin1String("click") && !w[1].endsWith(QLatin1String(".cmdExit"))))
                    actions_.push_back(w);
            }
        QTimer::singleShot(0, this, [this] { step(); });
    }

private:
    static constexpr long kWarmup = 1000;

    void later() {
        QTimer::singleShot(0, this, [this] { step(); });
    }

    void fail(const QString& why) {
        std::fprintf(stderr, "mkd soak: %s\n", qPrintable(why));
        failed_ = true;
        QCoreApplication::exit(1);
    }

    static QWidget* shownScreen(const QString& name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == name) return w;
        return nullptr;
    }

    void step() {
        if (failed_ || finished_) return;
        if (actions_.isEmpty()) return fail(QStringLiteral("the scenario has no action"));
        // A message box of the program: the user reads it and presses OK.
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box->done(QDialog::Accepted);
            ++steps;
            return later();
        }
        // Inside an action that waits for its box: nothing more until the
        // action is done, as no user can click before then.
        if (acting_) return later();
        if (!started_) {
            // The start-up runs from the event loop; the user waits for the
            // start screen.
            started_ = shownScreen(QStringLiteral("frmStart")) != nullptr;
            return later();
        }
        const QStringList& a = actions_[next_];
        next_ = (next_ + 1) % actions_.size();
        // The next step is due before this one acts: an action that opens a
        // message box returns only once the box is answered, by that step.
        later();
        const QString form = a[1].section(QLatin1Char('.'), 0, 0);
        QWidget* screen = shownScreen(form);
        QObject* control = screen ? screen->findChild<QObject*>(a[1].section(QLatin1Char('.'), 1)) : nullptr;
        if (!control) return fail(a.join(QLatin1Char(' ')) + QStringLiteral(": not shown"));
        ++steps;
        acting_ = true;
        const QString error = act(a, control);
        acting_ = false;
        if (!error.isEmpty()) return fail(a.join(QLatin1Char(' ')) + QStringLiteral(": ") + error);
        if (a[0] == QLatin1String("click") && isEnquiry(a[1]) && ++done_ % 1000 == 0) measure();
    }

    // Takes one action; returns what went wrong, if anything.
    static QString act(const QStringList& a, QObject* control) {
        if (a[0] == QLatin1String("select")) {
            auto* list = qobject_cast<QComboBox*>(control);
            const int position = a[2].toInt();
            if (!list || position >= list->count()) return QStringLiteral("no such position");
            list->setCurrentIndex(position);
            emit list->activated(position);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            if (!button->isEnabled()) return QStringLiteral("disabled");
            button->click();
        } else if (auto* action = qobject_cast<QAction*>(control)) {
            action->trigger();
        } else if (!qobject_cast<QMenu*>(control)) {
            return QStringLiteral("cannot be clicked");
        }
        return {};
    }

    // The resident memory after the warm-up and after every 1,000 enquiries
    // since. The growth reported is the trend of all of them (least
    // squares), which one sample caught as the allocator returns or takes a
    // few hundred KB does not move.
    void measure() {
        const double mb = residentMb();
        if (done_ < kWarmup) return;
        samples_.push_back(mb);
        std::printf("after %6ld enquiries: resident %.2f MB (%+.2f MB since the warm-up)\n", done_, mb,
                    mb - samples_.front());
        std::fflush(stdout);
        if (done_ < end_) return;
        const double n = static_cast<double>(samples_.size());
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            const double x = static_cast<double>(i);
            sx += x;
            sy += samples_[i];
            sxx += x * x;
            sxy += x * samples_[i];
        }
        const double per1000 = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        const long enquiries = end_ - kWarmup;
        const double growth = per1000 * static_cast<double>(enquiries) / 1000.0;
        const double target = static_cast<double>(enquiries) / 10000.0;
        std::printf(
            "memory: %.2f MB after the warm-up of %ld enquiries; over the next %ld, %+.2f MB from first to "
            "last, a trend of %+.1f KB per 1,000\n",
            samples_.front(), kWarmup, enquiries, samples_.back() - samples_.front(), per1000 * 1024.0);
        std::printf("summary|memory growth, mkd %s|%+.2f MB / %ld enq. (%+.0f KB / 1,000)|<= %.3g MB|%s\n",
                    qPrintable(QGuiApplication::platformName()), growth, enquiries, per1000 * 1024.0, target,
                    growth <= target ? "met" : "MISSED");
        std::fflush(stdout);
        finished_ = true;
        QCoreApplication::exit(0);
    }

    QList<QStringList> actions_;
    qsizetype next_ = 0;
    bool started_ = false;
    bool failed_ = false;
    bool acting_ = false;
    bool finished_ = false;
    long end_;
    long done_ = 0;
    std::vector<double> samples_;
};

}  // namespace

class SoakDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "soak_driver.json")
public:
    QObject* create(const QString& key, const QString& arguments) override {
        if (key != QLatin1String("mkdsoak")) return nullptr;
        bool ok = false;
        const long enquiries = arguments.section(QLatin1Char(':'), 0, 0).toLong(&ok);
        if (!ok || enquiries < 1000) {
            std::fprintf(stderr, "mkd soak: QT_QPA_GENERIC_PLUGINS=mkdsoak:ENQUIRIES:SCENARIO\n");
            return nullptr;
        }
        return new SoakUser(enquiries, arguments.section(QLatin1Char(':'), 1));
    }
};

#include "soak_driver.moc"
