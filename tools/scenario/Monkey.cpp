#include "Monkey.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QRegularExpression>
#include <map>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "ScenarioRunner.hpp"
#include "scenario_syntax.hpp"
#include "screens/Screen.hpp"

namespace {

// The result screens' amount labels.
constexpr std::pair<const char*, const char*> kAmountLabels[] = {
    {"frmKekka", "lblYen"}, {"frmKekkaT", "lblYen"}, {"frmKekkaT", "lblYenT"}, {"frmKekkaT", "lblGoukei"}};

QString quoted(const QString& text) { return quoteScenarioValue(text); }

// The texts a message box may show: the program's own messages, in either
// language (the random user also chooses from the language menu).
bool isProgramMessage(const QString& text) {
    return text == QStringLiteral("乗車駅と降車駅が同じですよ。") || text == QStringLiteral("普通列車にしましょう。") ||
           text.startsWith(QStringLiteral("初期表示を保存できません")) ||
           text.startsWith(QStringLiteral("みちくさダイヤ ")) ||  // the about box
           text == QStringLiteral("The departure and arrival stations are the same.") ||
           text == QStringLiteral("Take a local train.") ||
           text.startsWith(QStringLiteral("The start-up stations could not be saved")) ||
           text.startsWith(QStringLiteral("Michikusa Daiya "));
}

// An amount as the result screens write it: "#,##0円".
bool isMoneyText(const QString& text) {
    static const QRegularExpression money(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{1,3}(,[0-9]{3})*円")));
    return money.match(text).hasMatch();
}

struct Action {
    enum Kind { Select, Click, Close, Restart } kind;
    QString target;     // FORM.CONTROL or FORM
    int listCount = 0;  // for Select: the positions to choose from
};

class Monkey {
public:
    explicit Monkey(const MonkeyRun& run)
        : run_(run), random_(run.seed), session_(run.appDir, run.today.value_or(mkd::Date{2007, 8, 12})) {}

    int go(QTextStream& out) {
        script_ << QStringLiteral("# mkd-scenario --monkey %1 --seed %2").arg(run_.steps).arg(run_.seed)
                << QStringLiteral("appdir %1").arg(quoted(run_.appDir));
        if (run_.today) script_ << QStringLiteral("today %1").arg(isoDate(*run_.today));
        QString broken = perform({Action::Restart, {}});
        long step = 0;
        while (broken.isEmpty() && step < run_.steps) {
            ++step;
            const std::vector<Action> actions = candidates();
            if (actions.empty()) {
                broken = QStringLiteral("the program is running but offers the user nothing to do");
                break;
            }
            broken = perform(choose(actions));
        }
        if (broken.isEmpty()) {
            out << "monkey: seed " << run_.seed << ", " << step << " steps, " << starts_ << " starts, " << messages_
                << " messages, " << saves_ << " pairs stored and " << storedChecks_
                << " starts checked against them; every check held\n  screens shown:";
            for (const auto& [name, count] : shown_) out << ' ' << name << ' ' << count;
            out << '\n';
            return 0;
        }
        out << "monkey: seed " << run_.seed << ", step " << step << ": " << broken << '\n'
            << "-- a scenario file that replays it --\n";
        script_ << QStringLiteral("# broken here: %1").arg(broken) << QStringLiteral("dump");
        for (const QString& line : script_) out << line << '\n';
        return 1;
    }

private:
    static QString isoDate(const mkd::Date& d) {
        return QDate(d.year, d.month, d.day).toString(QStringLiteral("yyyy-MM-dd"));
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    // Any of the actions, the ones taken less often so far more likely: a
    // menu item that is rarely enabled gets its turn when it is.
    const Action& choose(const std::vector<Action>& actions) {
        std::vector<double> weights;
        for (const Action& a : actions) weights.push_back(1.0 / (1.0 + static_cast<double>(taken_[key(a)])));
        const Action& a = actions[std::discrete_distribution<std::size_t>(weights.begin(), weights.end())(random_)];
        ++taken_[key(a)];
        return a;
    }
    static QString key(const Action& a) { return QString::number(a.kind) + a.target; }

    // Everything the user could do now.
    std::vector<Action> candidates() {
        std::vector<Action> out;
        if (!session_.running()) {
            out.push_back({Action::Restart, {}});
            return out;
        }
        for (Screen* screen : session_.flow()->loadedScreens()) {
            if (!screen->isVisible()) continue;
            const QString form = screen->objectName();
            out.push_back({Action::Close, form});
            // Only what the scenario's own names reach, so that the replay does the same.
            auto usable = [&](QObject* o, QString& name) {
                if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_"))) return false;
                name = form + QLatin1Char('.') + o->objectName();
                QString why;
                return session_.actionable(name, why) == o;
            };
            QString name;
            for (QComboBox* list : screen->findChildren<QComboBox*>())
                if (list->count() > 0 && usable(list, name)) out.push_back({Action::Select, name, list->count()});
            for (QAbstractButton* button : screen->findChildren<QAbstractButton*>())
                if (usable(button, name)) out.push_back({Action::Click, name});
            for (QAction* item : screen->findChildren<QAction*>())
                // The about box names the run's temporary folder, which a
                // replay of the run cannot name again.
                if (usable(item, name) && item->objectName() != QLatin1String("mnuAbout"))
                    out.push_back({Action::Click, name});
        }
        return out;
    }

    // Performs one action, writes it to the script, and checks the program.
    QString perform(const Action& a) {
        const std::size_t messagesBefore = session_.seam().messages.size();
        QString error;
        switch (a.kind) {
            case Action::Select: {
                const int position = static_cast<int>(pick(static_cast<std::size_t>(a.listCount)));
                script_ << QStringLiteral("select %1 %2").arg(a.target).arg(position);
                error = session_.select(a.target, position);
                break;
            }
            case Action::Click:
                script_ << QStringLiteral("click %1").arg(a.target);
                error = session_.click(a.target);
                break;
            case Action::Close:
                script_ << QStringLiteral("close %1").arg(a.target);
                error = session_.close(a.target);
                break;
            case Action::Restart:
                if (!run_.today) {
                    // Any day from 1990 to 2030.
                    const qint64 first = QDate(1990, 1, 1).toJulianDay();
                    const qint64 last = QDate(2030, 12, 31).toJulianDay();
                    const auto days = static_cast<std::size_t>(last - first + 1);
                    const QDate d = QDate::fromJulianDay(first + static_cast<qint64>(pick(days)));
                    session_.seam().date = mkd::Date{d.year(), d.month(), d.day()};
                    script_ << QStringLiteral("today %1").arg(d.toString(QStringLiteral("yyyy-MM-dd")));
                }
                script_ << (session_.started() ? QStringLiteral("restart") : QStringLiteral("start"));
                error = session_.started() ? session_.restart() : session_.start();
                ++starts_;
                break;
        }
        if (!error.isEmpty()) return QStringLiteral("the action cannot be replayed: %1").arg(error);
        QString broken = check();
        if (!broken.isEmpty() || !session_.running()) return broken;

        // "変更" without a complaint stores the pair; every later start shows it.
        const std::optional<std::pair<int, int>> now = startPair();
        if (a.kind == Action::Click && a.target == QLatin1String("frmStart.mnuHenko") &&
            session_.seam().messages.size() == messagesBefore) {
            stored_ = now;
            ++saves_;
        }
        if (a.kind != Action::Restart || !stored_) return {};
        ++storedChecks_;
        if (now != stored_)
            return QStringLiteral("the start screen shows %1,%2, not the stored pair %3,%4")
                .arg(now ? now->first : -1)
                .arg(now ? now->second : -1)
                .arg(stored_->first)
                .arg(stored_->second);
        return {};
    }

    // The start screen's two list positions, when it is loaded.
    std::optional<std::pair<int, int>> startPair() const {
        QString why;
        auto* hatu = qobject_cast<QComboBox*>(session_.control(QStringLiteral("frmStart.cboHatu"), why));
        auto* tyaku = qobject_cast<QComboBox*>(session_.control(QStringLiteral("frmStart.cboTyaku"), why));
        if (!hatu || !tyaku) return std::nullopt;
        return std::make_pair(hatu->currentIndex(), tyaku->currentIndex());
    }

    QString check() {
        ScenarioSeam& seam = session_.seam();
        QString broken;
        for (; seen_ < seam.messages.size(); ++seen_) {
            const QString& text = seam.messages[seen_].text;
            ++messages_;
            // A foreign message stays unchecked, so that the replay fails on it.
            if (isProgramMessage(text))
                script_ << QStringLiteral("expect message %1").arg(quoted(text));
            else if (broken.isEmpty())
                broken = QStringLiteral("a message box that is not the program's own: %1").arg(quoted(text));
        }
        if (!broken.isEmpty()) return broken;
        if (seam.fatalReported)
            return QStringLiteral("a table file was reported broken: %1").arg(quoted(seam.fatalText));
        if (!session_.running()) return {};

        std::vector<Screen*> visible;
        for (Screen* screen : session_.flow()->loadedScreens())
            if (screen->isVisible()) visible.push_back(screen);
        if (visible.size() != 1) {
            QStringList names;
            for (Screen* s : visible) names << s->objectName();
            return QStringLiteral("%1 screens shown, not one: %2")
                .arg(visible.size())
                .arg(names.join(QLatin1Char(' ')));
        }
        ++shown_[visible.front()->objectName()];

        for (const auto& [form, label] : kAmountLabels) {
            Screen* screen = session_.flow()->find(QString::fromLatin1(form));
            if (!screen || !screen->isVisible()) continue;
            auto* l = screen->findChild<QLabel*>(QString::fromLatin1(label));
            if (l && l->isVisibleTo(screen) && !isMoneyText(l->text()))
                return QStringLiteral("%1.%2 shows %3, not an amount").arg(form, label, quoted(l->text()));
        }
        return {};
    }

    MonkeyRun run_;
    std::mt19937_64 random_;
    ScenarioSession session_;
    QStringList script_;
    std::size_t seen_ = 0;
    long starts_ = 0;
    long messages_ = 0;
    long saves_ = 0;
    long storedChecks_ = 0;
    std::map<QString, long> shown_;
    std::map<QString, long> taken_;
    std::optional<std::pair<int, int>> stored_;  // the pair "変更" saved last
};

}  // namespace

int runMonkey(const MonkeyRun& run, QTextStream& out) {
    Monkey monkey(run);
    return monkey.go(out);
}
