#include "Monkey.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <map>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "ScenarioRunner.hpp"
#include "data/table_store.hpp"
#include "explain/enquiry_words.hpp"
#include "pricing/comparison.hpp"
#include "pricing/enquiry.hpp"
#include "scenario_syntax.hpp"
#include "screens/CompareWindow.hpp"
#include "screens/ComparisonModel.hpp"
#include "screens/KindScreens.hpp"
#include "screens/Screen.hpp"
#include "words/money.hpp"
#include "words/words.hpp"

namespace {

// The result screens' amount labels.
constexpr std::pair<const char*, const char*> kAmountLabels[] = {
    {"frmKekka", "lblYen"}, {"frmKekkaT", "lblYen"}, {"frmKekkaT", "lblYenT"}, {"frmKekkaT", "lblGoukei"}};

QString quoted(const QString& text) { return quoteScenarioValue(text); }

// The texts a message box may show: the program's own messages, in either
// language (the random user also chooses from the language menu).
bool isProgramMessage(const QString& text) {
    const auto words = [](mkd::Msg id, mkd::Lang lang) {
        const std::string_view w = mkd::text(id, lang);
        return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
    };
    for (const mkd::Lang lang : {mkd::Lang::Japanese, mkd::Lang::English}) {
        for (const mkd::Msg whole : {mkd::Msg::SameStation, mkd::Msg::LocalTrainAdvice, mkd::Msg::SameSectionStop})
            if (text == words(whole, lang)) return true;
        // A message with details: the words before the first of them.
        for (const mkd::Msg detailed :
             {mkd::Msg::SelectionNotSaved, mkd::Msg::SelectionSaveRaced, mkd::Msg::SelectionUnreadable}) {
            const QString w = words(detailed, lang);
            if (text.startsWith(w.left(w.indexOf(QLatin1Char('%'))))) return true;
        }
    }
    // The about box.
    return text.startsWith(QStringLiteral("みちくさダイヤ ")) || text.startsWith(QStringLiteral("Michikusa Daiya "));
}

// An amount as the result screens write it: "#,##0円", or "¥#,##0" in
// English.
bool isMoneyText(const QString& text) {
    static const QRegularExpression money(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{1,3}(,[0-9]{3})*円|¥-?[0-9]{1,3}(,[0-9]{3})*")));
    return money.match(text).hasMatch();
}

constexpr std::pair<const char*, mkd::Passenger> kPassengerButtons[] = {{".cmdOtona", mkd::Passenger::Adult},
                                                                        {".cmdKodomo", mkd::Passenger::Child},
                                                                        {".cmdGakuwari", mkd::Passenger::Student}};

struct Action {
    enum Kind { Select, Click, Close, Restart } kind;
    QString target;  // FORM.CONTROL or FORM
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
                << " messages, " << saves_ << " pairs stored and " << storedChecks_ << " starts checked against them, "
                << compared_ << " results and " << comparedWindows_
                << " compare windows compared with the core; every check held\n  screens shown:";
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
                for (const auto& [button, passenger] : kPassengerButtons)
                    if (a.target.endsWith(QLatin1String(button))) passenger_ = passenger;
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
        if (QString differs = compareWithCore(visible.front()->objectName()); !differs.isEmpty()) return differs;
        return compareWindowWithCore();
    }

    // The compare window, once a menu item or Ctrl+K has opened it with the
    // pair, date and passenger the random user left on the screens: every
    // total in it is what the core answers for the request its controls
    // hold, asked afresh.
    QString compareWindowWithCore() {
        CompareWindow* w = CompareWindow::find(*session_.flow());
        if (!w || !w->isVisible()) return {};
        const QDate d = w->dtpDate->date();
        if (!mkd::isListedDate(d.year(), d.month(), d.day())) return {};
        mkd::ComparisonRequest r;
        r.departure = w->cboHatu->currentIndex();
        r.arrival = w->cboTyaku->currentIndex();
        r.party = {w->spnAdults->value(), w->spnChildren->value(), w->spnStudents->value()};
        r.trip = w->optOfuku->isChecked() ? mkd::Trip::RoundTrip : mkd::Trip::OneWay;
        r.season = mkd::travelDate(d.year(), d.month(), d.day()).season;
        mkd::TableStore tables(session_.appDir().toStdString());
        const mkd::Comparison c = mkd::Comparer(tables).compare(r);
        const QAbstractItemModel& m = *w->model;
        // The ways, and the split tickets where they are cheaper.
        const int ways = static_cast<int>(c.rows.size());
        if (m.rowCount() != ways + (c.split.cheaper() ? 1 : 0))
            return QStringLiteral("the compare window shows %1 rows, the core %2 ways%3")
                .arg(m.rowCount())
                .arg(ways)
                .arg(c.split.cheaper() ? QStringLiteral(" and split tickets") : QString());
        const mkd::Lang lang = session_.flow()->language();
        const auto money = [lang](const std::optional<double>& yen) {
            return yen ? QString::fromStdString(mkd::formatMoney(*yen, lang)) : QStringLiteral("—");
        };
        for (int i = 0, way = 0; i < m.rowCount(); ++i) {
            std::vector<std::pair<int, QString>> cells;
            if (m.data(m.index(i, 0), ComparisonModel::SplitRole).toBool()) {
                cells.emplace_back(ComparisonModel::PartyTotal, money(c.split.partyTotal));
                for (std::size_t k = 0; k < mkd::kPassengers.size(); ++k) {
                    const mkd::SplitAnswer& a = c.split.answers[k];
                    cells.emplace_back(
                        ComparisonModel::AdultTotal + 3 * static_cast<int>(k),
                        money(a.problem == mkd::SplitProblem::None ? std::optional(a.total) : std::nullopt));
                }
            } else {
                const mkd::WayRow& row = c.rows[static_cast<std::size_t>(way++)];
                cells.emplace_back(ComparisonModel::PartyTotal, money(row.partyTotal));
                for (std::size_t k = 0; k < mkd::kPassengers.size(); ++k) {
                    const auto& answer = row.prices[k].answer;
                    cells.emplace_back(ComparisonModel::AdultTotal + 3 * static_cast<int>(k),
                                       money(answer ? std::optional(answer->total) : std::nullopt));
                }
            }
            for (const auto& [column, core] : cells) {
                const QString shown = m.data(m.index(i, column)).toString();
                if (shown != core)
                    return QStringLiteral(
                               "the compare window's row %1, column %2 shows %3, the core's answer to the "
                               "same request is %4")
                        .arg(i)
                        .arg(column)
                        .arg(quoted(shown), quoted(core));
            }
        }
        ++comparedWindows_;
        return {};
    }

    // Whether the control `name` (FORM.CONTROL) is a checked option.
    bool isChecked(const QString& name) const {
        QString why;
        auto* b = qobject_cast<QAbstractButton*>(session_.control(name, why));
        return b && b->isChecked();
    }
    int listIndex(const QString& name) const {
        QString why;
        auto* c = qobject_cast<QComboBox*>(session_.control(name, why));
        return c ? c->currentIndex() : -1;
    }
    QString labelText(const QString& name) const {
        QString why;
        auto* l = qobject_cast<QLabel*>(session_.control(name, why));
        return l ? l->text() : QString();
    }

    // The request the shown result answers, read from the screens the user
    // went through: the start screen's stations, the section screen's stops,
    // the choice screen's trip, routing and season, the passenger pressed.
    std::optional<mkd::EnquiryRequest> shownRequest(const QString& result) const {
        mkd::EnquiryRequest r;
        r.departure = listIndex(QStringLiteral("frmStart.cboHatu"));
        r.arrival = listIndex(QStringLiteral("frmStart.cboTyaku"));
        r.passenger = passenger_;
        // The kind: the one whose result screen this is and, on the shared
        // express result screen, whose hidden marker is set.
        const KindScreens* row = nullptr;
        for (mkd::Enquiry kind : mkd::kEnquiries) {
            const KindScreens& k = kindScreens(kind);
            if (result != QLatin1String(k.result)) continue;
            if (!k.marker || isChecked(result + QLatin1Char('.') + QLatin1String(k.marker))) row = &k;
        }
        if (!row) return std::nullopt;  // not yet told which kind opened it
        r.kind = row->kind;
        const QString choice = QString::fromLatin1(row->choice);
        if (isChecked(choice + QStringLiteral(".optNorikae"))) r.routing = mkd::Routing::ChangeAtMatsuyama;
        if (isChecked(choice + QStringLiteral(".optHanbo"))) r.season = mkd::Season::Busy;
        if (isChecked(choice + QStringLiteral(".optKansan"))) r.season = mkd::Season::OffPeak;
        if (row->section) {
            const QString screen = QString::fromLatin1(row->section);
            r.section = mkd::Section{listIndex(screen + QStringLiteral(".cboHatu")),
                                     listIndex(screen + QStringLiteral(".cboTyaku"))};
        }
        if (isChecked(choice + QStringLiteral(".optOfuku"))) r.trip = mkd::Trip::RoundTrip;
        return r;
    }

    // Every amount on a shown result screen is what the core answers for the
    // same request, asked afresh as mkd-fare would ask it.
    QString compareWithCore(const QString& shown) {
        if (shown != QLatin1String("frmKekka") && shown != QLatin1String("frmKekkaT")) return {};
        const std::optional<mkd::EnquiryRequest> request = shownRequest(shown);
        if (!request) return {};
        mkd::TableStore tables(session_.appDir().toStdString());
        const mkd::EnquiryOutcome out = mkd::Enquirer(tables).ask(*request);
        if (!out.ok()) {
            // The Marine menu follows the order the user chose the stations
            // in; the core judges it for one order only.
            if (out.refused.refusal == mkd::Refusal::MarineNotOffered ||
                out.refused.refusal == mkd::Refusal::MarineSeatNotOffered)
                return {};
            return QStringLiteral("%1 shows a price, but the core refuses the same request: %2")
                .arg(shown, QString::fromStdString(mkd::refusalText(out.refused)));
        }
        ++compared_;
        const mkd::EnquiryAnswer& a = *out.answer;
        std::vector<std::pair<QString, double>> amounts{{QStringLiteral(".lblYen"), a.fare}};
        if (a.charged) {
            amounts.emplace_back(QStringLiteral(".lblYenT"), a.charge);
            amounts.emplace_back(QStringLiteral(".lblGoukei"), a.total);
        }
        for (const auto& [label, amount] : amounts) {
            const QString text = labelText(shown + label);
            const QString core = QString::fromStdString(mkd::formatMoney(amount, session_.flow()->language()));
            if (text != core)
                return QStringLiteral("%1%2 shows %3, the core's answer to the same request is %4")
                    .arg(shown, label, quoted(text), quoted(core));
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
    mkd::Passenger passenger_ = mkd::Passenger::Adult;  // the passenger button pressed last
    long compared_ = 0;  // results compared with the core
    long comparedWindows_ = 0;  // compare windows compared with the core
};

}  // namespace

int runMonkey(const MonkeyRun& run, QTextStream& out) {
    Monkey monkey(run);
    return monkey.go(out);
}
