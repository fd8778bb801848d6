// Replays scenario files against the real screens (see docs/scenarios.md).
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariantMap>
#include <memory>
#include <optional>
#include <vector>

#include "data/table_store.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"

class QObject;
class QWidget;

// Records every message box (answered with OK at once), the fatal error and
// the end of the program, and reports the scenario's date and folder. Settings
// live in memory for the whole scenario, restarts included, and never touch
// the user's own.
class ScenarioSeam : public Seam {
public:
    struct Message {
        QString text;
        QString informative;  // the box's second part; `expect message` compares only `text`
        int line = 0;
        bool checked = false;
    };

    void message(const QString& text, const QString& informative = {}) override {
        messages.push_back({text, informative, line, false});
    }
    // A question is recorded as a message and answered `confirmAnswer`: No,
    // the button a question has by default, unless a test says otherwise.
    bool confirm(const QString& text, const QString& informative = {}) override {
        messages.push_back({text, informative, line, false});
        return confirmAnswer;
    }
    void fatal(const QString& text) override {
        fatalReported = true;
        fatalText = text;
    }
    void endProgram(int) override { ended = true; }
    mkd::Date today() override { return date; }
    QString applicationDirectory() override { return dir; }
    // Kept for the scenario's whole run, restarts included, and never
    // written anywhere: a scenario starts without a stored setting.
    QVariant setting(const QString& key) const override { return settings.value(key); }
    void setSetting(const QString& key, const QVariant& value) override { settings.insert(key, value); }

    std::vector<Message> messages;
    std::ptrdiff_t lastChecked = -1;  // the message `expect message` checked last
    int line = 0;  // the scenario line being replayed
    bool confirmAnswer = false;
    bool ended = false;
    bool fatalReported = false;
    QString fatalText;
    mkd::Date date;
    QString dir;
    QVariantMap settings;
};

// One scenario file's program: its application directory (a temporary copy),
// its clock, and the program instance while it runs.
class ScenarioSession {
public:
    // `language` is the system's language the program starts in.
    ScenarioSession(QString appDirSource, mkd::Date today, mkd::Lang language = mkd::Lang::Japanese);
    ~ScenarioSession();

    // Each returns "" on success or what went wrong (a replay error).
    QString setAppDir(const QString& source);
    QString copyFile(const QString& source, const QString& target);
    QString start();
    QString restart();
    QString select(const QString& control, int position);
    QString click(const QString& control);
    QString close(const QString& form);

    bool started() const { return flow_ != nullptr; }
    bool running() const { return flow_ && !seam_.ended; }
    ScenarioSeam& seam() { return seam_; }
    ScreenFlow* flow() { return flow_.get(); }
    QString appDir();  // the temporary copy, made on first use
    // `relative`, a path the scenario names inside the application folder,
    // as a path in the temporary copy; "" with `why` set when the path,
    // once ".." and "." are worked out, would leave the copy: a scenario
    // never reads or changes anything outside it.
    QString pathInAppDir(const QString& relative, QString& why);

    // A control of a loaded screen, or null with `why` set.
    QObject* control(const QString& qualified, QString& why) const;
    // A shown, enabled control the user can act on, or null with `why` set.
    QObject* actionable(const QString& qualified, QString& why) const;

    QString dump() const;

    // What the event loop does once a handler returns: pending layout and
    // paint requests served, discarded screens destroyed. For callers that
    // act on the screens themselves (the keyboard of the screen tests).
    void settle();

    // After every action, a PNG of each shown screen goes into `dir`.
    void setScreenshotFolder(QString dir) { shots_ = std::move(dir); }

private:
    void screenshot(const QString& action);
    QString shots_;
    int shotCount_ = 0;
    void stop();

    QString source_;
    mkd::Lang language_;
    std::unique_ptr<QTemporaryDir> dir_;
    ScenarioSeam seam_;
    std::unique_ptr<mkd::TableStore> tables_;
    std::unique_ptr<ScreenFlow> flow_;
};

class ScenarioRunner {
public:
    ScenarioRunner(QString appDir, std::optional<mkd::Date> today, QTextStream& out)
        : appDir_(std::move(appDir)), today_(today), out_(out) {}

    void setScreenshotFolder(QString dir) { shots_ = std::move(dir); }
    // The system's language the programs start in (Japanese unless set).
    void setLanguage(mkd::Lang language) { language_ = language; }

    // Times every user action (select, click, close) from the command until
    // the screens have drawn the result; see timingReport().
    void setTiming(bool on) { timing_ = on; }
    // "N actions: median …, 90% …, worst … (FILE:LINE …)".
    QString timingReport() const;

    // Replays one file; counts its checks.
    void runFile(const QString& path);

    int passed() const { return passed_; }
    int failed() const { return failed_; }

private:
    void fail(const QString& file, int line, const QString& what);
    // Evaluates one expect line; returns "" when it holds.
    QString check(ScenarioSession& s, const QStringList& w);

    QString appDir_;
    std::optional<mkd::Date> today_;
    QTextStream& out_;
    QString shots_;
    mkd::Lang language_ = mkd::Lang::Japanese;
    int passed_ = 0;
    int failed_ = 0;

    struct ActionTime {
        double ms = 0;
        QString where;  // FILE:LINE and the command
    };
    bool timing_ = false;
    std::vector<ActionTime> times_;
};

// "2007-08-12" → a date, or nothing.
std::optional<mkd::Date> parseIsoDate(const QString& text);
