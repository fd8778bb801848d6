#include "ScenarioRunner.hpp"

#include "screens/CompareWindow.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <algorithm>

#include "scenario_syntax.hpp"
#include "screens/Screen.hpp"

namespace {

QString quoted(const QString& text) { return quoteScenarioValue(text); }

bool copyTree(const QString& from, const QString& to) {
    QDir source(from);
    if (!QDir().mkpath(to)) return false;
    const auto entries = source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& e : entries) {
        const QString target = to + QLatin1Char('/') + e.fileName();
        if (e.isDir()) {
            if (!copyTree(e.filePath(), target)) return false;
        } else if (!QFile::copy(e.filePath(), target)) {
            return false;
        }
    }
    return true;
}

// A control's own enabled setting: an item of a disabled menu, or a button
// on a disabled frame, still reads its own state.
bool ownEnabled(const QObject* o) {
    if (auto* m = qobject_cast<const QMenu*>(o)) return m->menuAction()->isEnabled();
    if (auto* a = qobject_cast<const QAction*>(o)) return a->isEnabled();
    if (auto* w = qobject_cast<const QWidget*>(o)) return !w->testAttribute(Qt::WA_ForceDisabled);
    return true;
}

bool ownVisible(const QObject* o) {
    if (auto* m = qobject_cast<const QMenu*>(o)) return m->menuAction()->isVisible();
    if (auto* a = qobject_cast<const QAction*>(o)) return a->isVisible();
    if (auto* w = qobject_cast<const QWidget*>(o)) return !w->isHidden();
    return true;
}

std::optional<QString> textOf(const QObject* o) {
    if (auto* l = qobject_cast<const QLabel*>(o)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(o)) return b->text();
    if (auto* c = qobject_cast<const QComboBox*>(o)) return c->currentIndex() < 0 ? QString() : c->currentText();
    if (auto* m = qobject_cast<const QMenu*>(o)) return m->title();
    if (auto* a = qobject_cast<const QAction*>(o)) return a->text();
    return std::nullopt;
}

// What a control says about itself on hover; a widget must tell a screen
// reader the same (a menu item has no description of its own: readers read
// its tool tip).
QString tooltipOf(const QObject* o) {
    if (auto* m = qobject_cast<const QMenu*>(o)) {
        const QString tip = m->menuAction()->toolTip();
        return m->accessibleDescription() == tip ? tip : QStringLiteral("(description differs) ") + tip;
    }
    if (auto* a = qobject_cast<const QAction*>(o)) return a->toolTip() == a->text() ? QString() : a->toolTip();
    if (auto* w = qobject_cast<const QWidget*>(o))
        return w->accessibleDescription() == w->toolTip() ? w->toolTip()
                                                          : QStringLiteral("(description differs) ") + w->toolTip();
    return {};
}

}  // namespace

std::optional<mkd::Date> parseIsoDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid()) return std::nullopt;
    return mkd::Date{d.year(), d.month(), d.day()};
}

// ---------------------------------------------------------------- session

ScenarioSession::ScenarioSession(QString appDirSource, mkd::Date today, mkd::Lang language)
    : source_(std::move(appDirSource)), language_(language) {
    seam_.date = today;
}

ScenarioSession::~ScenarioSession() { stop(); }

void ScenarioSession::settle() {
    // What the desktop program's event loop does once a handler returns:
    // the window system's news (a window shown, moved, exposed: drawn) and
    // layout and paint requests are served, and screens discarded by the
    // handler are destroyed. Left to pile up over thousands of actions, the
    // window system's news grew without end (about 1 KB a shown screen), and
    // every widget destroyed searched the pile of requests.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ScenarioSession::screenshot(const QString& action) {
    if (shots_.isEmpty() || !running()) return;
    QDir().mkpath(shots_);
    for (Screen* screen : flow_->loadedScreens()) {
        if (!screen->isVisible()) continue;
        QString label = action;
        label.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
        const QString file = QStringLiteral("%1/%2-%3-%4.png")
                                 .arg(shots_)
                                 .arg(++shotCount_, 2, 10, QLatin1Char('0'))
                                 .arg(screen->objectName(), label);
        screen->grab().save(file);
    }
    // The compare window too, beside the screens.
    if (auto* compare = CompareWindow::find(*flow_); compare && compare->isVisible()) {
        QString label = action;
        label.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
        compare->grab().save(QStringLiteral("%1/%2-%3-%4.png")
                                 .arg(shots_)
                                 .arg(++shotCount_, 2, 10, QLatin1Char('0'))
                                 .arg(compare->objectName(), label));
    }
}

void ScenarioSession::stop() {
    flow_.reset();
    tables_.reset();
    settle();
}

QString ScenarioSession::appDir() {
    if (!dir_) {
        dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mkd-scenario-XXXXXX"));
        // Only the tables matter; the rest of the source folder (the
        // programs themselves, when it is the build folder) is left out.
        const QString untin = source_ + QStringLiteral("/Untin");
        if (QFileInfo(untin).isDir()) copyTree(untin, dir_->path() + QStringLiteral("/Untin"));
    }
    return dir_->path();
}

QString ScenarioSession::setAppDir(const QString& source) {
    if (started()) return QStringLiteral("appdir is only allowed before start");
    if (!QFileInfo(source).isDir()) return QStringLiteral("no such folder: %1").arg(source);
    source_ = source;
    dir_.reset();
    return {};
}

QString ScenarioSession::pathInAppDir(const QString& relative, QString& why) {
    const QString folder = QDir::cleanPath(appDir());
    const QString path = QDir::cleanPath(folder + QLatin1Char('/') + relative);
    if (path.startsWith(folder + QLatin1Char('/'))) return path;
    why = QStringLiteral("%1 leaves the application folder").arg(relative);
    return {};
}

QString ScenarioSession::copyFile(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile()) return QStringLiteral("no such file: %1").arg(source);
    QString why;
    const QString to = pathInAppDir(target, why);
    if (to.isEmpty()) return why;
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (QFileInfo::exists(to) && !QFile::remove(to)) return QStringLiteral("cannot replace %1").arg(target);
    if (!QFile::copy(source, to)) return QStringLiteral("cannot copy %1 to %2").arg(source, target);
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return {};
}

QString ScenarioSession::start() {
    if (started())
        return running() ? QStringLiteral("the program is already running") : QStringLiteral("the program has ended");
    seam_.dir = appDir();
    seam_.ended = false;
    seam_.fatalReported = false;
    tables_ = std::make_unique<mkd::TableStore>(seam_.dir.toStdString());
    flow_ = std::make_unique<ScreenFlow>(seam_, *tables_, language_);
    flow_->start();
    settle();
    screenshot(QStringLiteral("start"));
    return {};
}

QString ScenarioSession::restart() {
    if (running()) {
        if (Screen* s = flow_->find(QStringLiteral("frmStart"))) flow_->unload(*s);
        if (!seam_.ended) flow_->endProgram(0);
    }
    stop();
    return start();
}

QObject* ScenarioSession::control(const QString& qualified, QString& why) const {
    const qsizetype dot = qualified.indexOf(QLatin1Char('.'));
    const QString form = dot < 0 ? qualified : qualified.left(dot);
    Screen* screen = flow_ ? flow_->find(form) : nullptr;
    if (!screen) {
        why = QStringLiteral("%1 is not loaded").arg(form);
        return nullptr;
    }
    if (dot < 0) return screen;
    const QString name = qualified.mid(dot + 1);
    QObject* o = screen->findChild<QObject*>(name);
    if (!o) why = QStringLiteral("%1 has no control %2").arg(form, name);
    return o;
}

QObject* ScenarioSession::actionable(const QString& qualified, QString& why) const {
    if (!running()) {
        why = QStringLiteral("the program has ended");
        return nullptr;
    }
    QObject* o = control(qualified, why);
    if (!o) return nullptr;
    QWidget* screen = qobject_cast<QWidget*>(o);
    for (QObject* p = o; p; p = p->parent())
        if (qobject_cast<Screen*>(p)) screen = static_cast<QWidget*>(p);
    if (!screen || !screen->isVisible()) {
        why = QStringLiteral("%1 is not shown").arg(screen ? screen->objectName() : qualified);
        return nullptr;
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        auto* menu = qobject_cast<QMenu*>(a->parent());
        if (menu && !menu->menuAction()->isEnabled()) {
            why = QStringLiteral("the menu %1 is disabled").arg(menu->objectName());
            return nullptr;
        }
        if (!a->isEnabled() || !a->isVisible()) {
            why = QStringLiteral("%1 is disabled or hidden").arg(qualified);
            return nullptr;
        }
        return o;
    }
    if (auto* m = qobject_cast<QMenu*>(o)) {
        if (!m->menuAction()->isEnabled() || !m->menuAction()->isVisible()) {
            why = QStringLiteral("%1 is disabled or hidden").arg(qualified);
            return nullptr;
        }
        return o;
    }
    if (auto* w = qobject_cast<QWidget*>(o); w && w != screen) {
        if (!w->isVisibleTo(screen)) {
            why = QStringLiteral("%1 is hidden").arg(qualified);
            return nullptr;
        }
        if (!w->isEnabled()) {
            why = QStringLiteral("%1 is disabled").arg(qualified);
            return nullptr;
        }
    }
    return o;
}

QString ScenarioSession::select(const QString& control, int position) {
    QString why;
    auto* list = qobject_cast<QComboBox*>(actionable(control, why));
    if (!list) return why.isEmpty() ? QStringLiteral("%1 is not a drop-down list").arg(control) : why;
    if (position < 0 || position >= list->count())
        return QStringLiteral("%1 has no position %2 (it holds %3 items)")
            .arg(control)
            .arg(position)
            .arg(list->count());
    list->setCurrentIndex(position);
    emit list->activated(position);
    settle();
    screenshot(QStringLiteral("select-") + control);
    return {};
}

QString ScenarioSession::click(const QString& control) {
    QString why;
    QObject* o = actionable(control, why);
    if (!o) return why;
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->click();
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        a->trigger();
    } else if (qobject_cast<QMenu*>(o)) {
        // A menu title only opens its item list.
    } else {
        return QStringLiteral("%1 cannot be clicked").arg(control);
    }
    settle();
    screenshot(QStringLiteral("click-") + control);
    return {};
}

QString ScenarioSession::close(const QString& form) {
    QString why;
    QObject* o = actionable(form, why);
    if (!o) return why;
    auto* screen = qobject_cast<Screen*>(o);
    if (!screen) return QStringLiteral("%1 is not a screen").arg(form);
    screen->close();
    settle();
    return {};
}

QString ScenarioSession::dump() const {
    QString out;
    QTextStream s(&out);
    if (!flow_ || seam_.ended) {
        s << "(the program is not running)\n";
        return out;
    }
    for (Screen* screen : flow_->loadedScreens()) {
        s << screen->objectName() << (screen->isVisible() ? " shown" : " hidden") << " caption "
          << quoted(screen->windowTitle()) << '\n';
        for (QObject* o : screen->findChildren<QObject*>()) {
            const QString name = o->objectName();
            if (name.isEmpty() || name == QLatin1String("client") || name.startsWith(QLatin1Char('_')) ||
                name.startsWith(QLatin1String("qt_")))
                continue;
            s << "  " << name;
            if (auto t = textOf(o)) s << " text " << quoted(*t);
            if (auto* c = qobject_cast<QComboBox*>(o)) s << " index " << c->currentIndex() << " count " << c->count();
            if (auto* r = qobject_cast<QRadioButton*>(o)) s << " checked " << (r->isChecked() ? 1 : 0);
            s << " enabled " << (ownEnabled(o) ? 1 : 0) << " visible " << (ownVisible(o) ? 1 : 0) << '\n';
        }
    }
    return out;
}

// ---------------------------------------------------------------- runner

void ScenarioRunner::fail(const QString& file, int line, const QString& what) {
    ++failed_;
    out_ << file << ':' << line << ": " << what << '\n';
}

QString ScenarioRunner::check(ScenarioSession& s, const QStringList& w) {
    auto flag = [](const QString& v) -> std::optional<bool> {
        if (v == QLatin1String("0")) return false;
        if (v == QLatin1String("1")) return true;
        return std::nullopt;
    };
    auto& seam = s.seam();
    const QString what = w.value(1);

    if (what == QLatin1String("message") && w.size() == 3) {
        for (auto& m : seam.messages) {
            if (m.checked) continue;
            m.checked = true;
            seam.lastChecked = &m - seam.messages.data();
            if (m.text == w[2]) return {};
            return QStringLiteral("expected message %1, found message %2").arg(quoted(w[2]), quoted(m.text));
        }
        return QStringLiteral("expected message %1, found no message").arg(quoted(w[2]));
    }
    if (what == QLatin1String("message-detail") && w.size() == 3) {
        if (seam.lastChecked < 0 || static_cast<std::size_t>(seam.lastChecked) >= seam.messages.size())
            return QStringLiteral("expected message detail %1, but no message was checked before").arg(quoted(w[2]));
        const QString& detail = seam.messages[static_cast<std::size_t>(seam.lastChecked)].informative;
        if (detail == w[2]) return {};
        return QStringLiteral("expected message detail %1, found %2").arg(quoted(w[2]), quoted(detail));
    }
    if (what == QLatin1String("no-message") && w.size() == 2) {
        for (auto& m : seam.messages)
            if (!m.checked) {
                m.checked = true;
                return QStringLiteral("expected no message, found message %1").arg(quoted(m.text));
            }
        return {};
    }
    if (what == QLatin1String("exited") && w.size() == 2)
        return s.started() && seam.ended ? QString()
                                         : QStringLiteral("expected the program to have ended, found it %1")
                                               .arg(s.started() ? "running" : "not started");
    if (what == QLatin1String("fatal") && w.size() == 2)
        return s.started() && seam.ended && seam.fatalReported ? QString()
                                                               : QStringLiteral("expected a fatal error, found none");
    if (what == QLatin1String("file") && w.size() == 4) {
        QString why;
        const QString path = s.pathInAppDir(w[2], why);
        if (path.isEmpty()) return QStringLiteral("replay error: ") + why;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QStringLiteral("expected file %1 to hold %2, found no such file").arg(w[2], quoted(w[3]));
        const QByteArray bytes = f.readAll();
        const QByteArray want = w[3].toUtf8();
        if (bytes == want) return {};
        return QStringLiteral("expected file %1 to hold %2, found %3")
            .arg(w[2], quoted(w[3]), quoted(QString::fromUtf8(bytes)));
    }

    // Checks on a screen or a control: expect NAME PROPERTY VALUE
    if (w.size() != 4) return QStringLiteral("replay error: cannot read this check");
    const QString& name = w[1];
    const QString& property = w[2];
    const QString& value = w[3];
    const bool isForm = !name.contains(QLatin1Char('.'));

    if (isForm && property == QLatin1String("loaded")) {
        auto want = flag(value);
        if (!want) return QStringLiteral("replay error: loaded takes 0 or 1");
        const bool loaded = s.running() && s.flow()->find(name);
        return loaded == *want ? QString()
                               : QStringLiteral("expected %1 loaded %2, found %3").arg(name, value).arg(loaded ? 1 : 0);
    }
    QString why;
    QObject* o = s.running() ? s.control(name, why) : nullptr;
    if (!s.running())
        why = QStringLiteral("%1 is not loaded (the program is not running)").arg(name.section(QLatin1Char('.'), 0, 0));
    if (!o) return QStringLiteral("expected %1 %2 %3, found that %4").arg(name, property, value, why);

    auto compareFlag = [&](bool found) -> QString {
        auto want = flag(value);
        if (!want) return QStringLiteral("replay error: %1 takes 0 or 1").arg(property);
        return found == *want
                   ? QString()
                   : QStringLiteral("expected %1 %2 %3, found %4").arg(name, property, value).arg(found ? 1 : 0);
    };
    auto compareText = [&](const QString& found) -> QString {
        return found == value
                   ? QString()
                   : QStringLiteral("expected %1 %2 %3, found %4").arg(name, property, quoted(value), quoted(found));
    };
    auto compareNumber = [&](int found) -> QString {
        bool ok = false;
        const int want = value.toInt(&ok);
        if (!ok) return QStringLiteral("replay error: %1 takes a number").arg(property);
        return found == want ? QString()
                             : QStringLiteral("expected %1 %2 %3, found %4").arg(name, property, value).arg(found);
    };

    if (isForm) {
        auto* screen = static_cast<QWidget*>(o);
        if (property == QLatin1String("visible")) return compareFlag(screen->isVisible());
        if (property == QLatin1String("caption")) return compareText(screen->windowTitle());
        return QStringLiteral("replay error: unknown check %1 for a screen").arg(property);
    }
    if (property == QLatin1String("text")) {
        if (auto t = textOf(o)) return compareText(*t);
        return QStringLiteral("replay error: %1 has no text").arg(name);
    }
    if (property == QLatin1String("index") || property == QLatin1String("count")) {
        auto* c = qobject_cast<QComboBox*>(o);
        if (!c) return QStringLiteral("replay error: %1 is not a drop-down list").arg(name);
        return compareNumber(property == QLatin1String("index") ? c->currentIndex() : c->count());
    }
    if (property == QLatin1String("enabled")) return compareFlag(ownEnabled(o));
    if (property == QLatin1String("tooltip")) return compareText(tooltipOf(o));
    if (property == QLatin1String("visible")) return compareFlag(ownVisible(o));
    if (property == QLatin1String("checked")) {
        auto* b = qobject_cast<QAbstractButton*>(o);
        if (!b) return QStringLiteral("replay error: %1 is not an option button").arg(name);
        return compareFlag(b->isChecked());
    }
    return QStringLiteral("replay error: unknown check %1").arg(property);
}

void ScenarioRunner::runFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(path, 0, QStringLiteral("replay error: cannot read the scenario file"));
        return;
    }
    const QString scenarioDir = QFileInfo(path).absolutePath();
    auto relative = [&](const QString& p) { return QDir(scenarioDir).absoluteFilePath(p); };

    const QDate now = QDate::currentDate();
    ScenarioSession session(appDir_, today_.value_or(mkd::Date{now.year(), now.month(), now.day()}), language_);
    session.setScreenshotFolder(shots_);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    for (int i = 0; i < lines.size(); ++i) {
        const ScenarioLine line = splitScenarioLine(lines[i], i + 1);
        if (!line.error.isEmpty()) {
            fail(path, line.number, QStringLiteral("replay error: ") + line.error);
            return;
        }
        const QStringList& w = line.words;
        if (w.isEmpty()) continue;
        session.seam().line = line.number;
        const QString& cmd = w[0];
        QString error;
        const bool timed = timing_ && (cmd == QLatin1String("select") || cmd == QLatin1String("click") ||
                                       cmd == QLatin1String("close"));
        QElapsedTimer clock;
        if (timed) {
            // What an earlier command left to draw (the start screen after
            // start) is not this action's time.
            QCoreApplication::processEvents();
            clock.start();
        }

        if (cmd == QLatin1String("expect")) {
            const QString result = check(session, w);
            if (result.isEmpty()) {
                ++passed_;
            } else {
                fail(path, line.number, result);
                if (result.startsWith(QLatin1String("replay error"))) return;
            }
            continue;
        }
        if (cmd == QLatin1String("appdir") && w.size() == 2) {
            error = session.setAppDir(relative(w[1]));
        } else if (cmd == QLatin1String("today") && w.size() == 2) {
            if (auto d = parseIsoDate(w[1]))
                session.seam().date = *d;
            else
                error = QStringLiteral("today takes a date YYYY-MM-DD");
        } else if (cmd == QLatin1String("copy") && w.size() == 3) {
            error = session.copyFile(relative(w[1]), w[2]);
        } else if (cmd == QLatin1String("start") && w.size() == 1) {
            error = session.start();
        } else if (cmd == QLatin1String("restart") && w.size() == 1) {
            error = session.restart();
        } else if (cmd == QLatin1String("select") && w.size() == 3) {
            bool ok = false;
            const int position = w[2].toInt(&ok);
            error = ok ? session.select(w[1], position) : QStringLiteral("select takes a position");
        } else if (cmd == QLatin1String("click") && w.size() == 2) {
            error = session.click(w[1]);
        } else if (cmd == QLatin1String("close") && w.size() == 2) {
            error = session.close(w[1]);
        } else if (cmd == QLatin1String("dump") && w.size() == 1) {
            out_ << session.dump();
        } else {
            error = QStringLiteral("unknown command or wrong number of words");
        }
        if (timed && error.isEmpty()) {
            // The user waits until the shown screen has drawn itself.
            QCoreApplication::processEvents();
            times_.push_back({static_cast<double>(clock.nsecsElapsed()) / 1e6,
                              QStringLiteral("%1:%2 %3").arg(path).arg(line.number).arg(w.join(QLatin1Char(' ')))});
        }
        if (!error.isEmpty()) {
            fail(path, line.number, QStringLiteral("replay error: ") + error);
            return;
        }
    }
    for (const auto& m : session.seam().messages)
        if (!m.checked) fail(path, m.line, QStringLiteral("unexpected message %1").arg(quoted(m.text)));
}

QString ScenarioRunner::timingReport() const {
    if (times_.empty()) return QStringLiteral("no action was timed");
    std::vector<double> ms;
    for (const ActionTime& t : times_) ms.push_back(t.ms);
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    const double p90 = ms[std::min(n - 1, (n * 9) / 10)];
    const auto worst = std::max_element(times_.begin(), times_.end(),
                                        [](const ActionTime& a, const ActionTime& b) { return a.ms < b.ms; });
    return QStringLiteral("%1 actions: median %2 ms, 90% %3 ms, worst %4 ms (%5)")
        .arg(n)
        .arg(median, 0, 'f', 3)
        .arg(p90, 0, 'f', 3)
        .arg(worst->ms, 0, 'f', 3)
        .arg(worst->where);
}
