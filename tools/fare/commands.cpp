#include "commands.hpp"

#include "output.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <variant>

#include "data/station_search.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_check.hpp"
#include "data/table_store.hpp"
#include "pricing/season.hpp"
#include "words/enquiry_words.hpp"
#include "words/money.hpp"

namespace fare {

namespace {

using mkd::Enquiry;
using mkd::EnquiryAnswer;
using mkd::EnquiryOutcome;
using mkd::EnquiryRequest;
using mkd::Msg;
using mkd::StationList;
using nlohmann::ordered_json;

// Why a command line gives no enquiry: the exit status, a name for scripts
// and the words for people.
struct Failure {
    int status = kUsageError;
    std::string reason;
    std::string message;
};

// An enquiry as the command line asks it.
struct Resolved {
    EnquiryRequest request;
    std::optional<mkd::TravelDate> date;  // the travel date, when the season comes from one
};

std::string usage(Msg what, mkd::Lang lang, std::string_view argument = {}) {
    return mkd::text(what, lang, {argument});
}

// At most this many stations are named for a name that fits several.
constexpr std::size_t kCandidatesShown = 5;

Msg notInList(StationList list) {
    switch (list) {
        case StationList::All:
            break;
        case StationList::Express:
            return Msg::FareNotAnExpressStop;
        case StationList::Marine:
            return Msg::FareNotAMarineStop;
    }
    return Msg::FareNotAStation;
}

// A station argument without the blanks and line ends around it: a name
// pasted with its line end, or typed with ideographic spaces, is the same
// name.
std::string trimmed(std::string_view text) {
    static constexpr std::string_view kIdeographicSpace = "\u3000";
    const auto blankAt = [&text](bool front) -> std::size_t {
        if (text.empty()) return 0;
        const char c = front ? text.front() : text.back();
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') return 1;
        const bool wide = front ? text.starts_with(kIdeographicSpace) : text.ends_with(kIdeographicSpace);
        return wide ? kIdeographicSpace.size() : 0;
    };
    while (const std::size_t n = blankAt(true)) text.remove_prefix(n);
    while (const std::size_t n = blankAt(false)) text.remove_suffix(n);
    return std::string(text);
}

// A name that fits several stations names the likeliest few, so that the
// person can type one of them.
std::variant<Failure, int> station(StationList list, const std::string& typed, mkd::Lang lang) {
    const std::string name = trimmed(typed);
    if (auto index = stationByName(list, name)) return *index;
    const std::vector<int> candidates = mkd::searchStations(list, name);
    if (candidates.size() < 2) return Failure{kUsageError, "unknown-station", usage(notInList(list), lang, name)};
    std::string named;
    for (std::size_t i = 0; i < candidates.size() && i < kCandidatesShown; ++i)
        named += std::string(i > 0 ? mkd::text(Msg::ListSeparator, lang) : "") +
                 mkd::stationWords(list, candidates[i], lang);
    if (candidates.size() > kCandidatesShown) named += std::string(mkd::text(Msg::ListSeparator, lang)) + "…";
    return Failure{kUsageError, "unknown-station", mkd::text(Msg::FareSeveralStations, lang, {name, named})};
}

template <class T>
std::variant<Failure, T> word(const std::vector<Word<T>>& list, const std::string& text, Msg notOne, mkd::Lang lang) {
    if (auto value = lookUp(list, text)) return *value;
    return Failure{kUsageError, "unknown-word", usage(notOne, lang, text)};
}

// The season: given, or from the travel date as the travel-date screen reads
// it, or from the date that screen preselects (today, in a listed year).
std::variant<Failure, Resolved> resolveSeason(const Options& o, Resolved r) {
    if (!o.season.empty()) {
        auto season = word(seasonWords(), o.season, Msg::FareNotASeason, o.lang);
        if (auto* f = std::get_if<Failure>(&season)) return *f;
        r.request.season = std::get<mkd::Season>(season);
        return r;
    }
    const mkd::Date preselected = mkd::defaultTravelDate(today());
    WrittenDate written{preselected.year, preselected.month, preselected.day};
    if (!o.date.empty()) {
        const auto given = parseDate(o.date);
        if (!given) return Failure{kUsageError, "bad-date", usage(Msg::FareNotADate, o.lang, o.date)};
        if (!mkd::isListedDate(given->year, given->month, given->day))
            return Failure{kRefused, "date-not-listed", mkd::dateNotListedText(o.lang)};
        written = *given;
    }
    r.date = mkd::travelDate(written.year, written.month, written.day);
    r.request.season = r.date->season;
    return r;
}

// What a command reads from its options besides the kind and the passenger.
enum class Stations { Read, None };          // chart asks every pair
enum class Dates { ForDatedKinds, Always };  // compare asks every kind

std::variant<Failure, Resolved> resolve(const Options& o, Stations stations, Dates dates) {
    Resolved r;
    auto kind = word(kindWords(), o.kind, Msg::FareNotAKind, o.lang);
    if (auto* f = std::get_if<Failure>(&kind)) return *f;
    r.request.kind = std::get<Enquiry>(kind);
    auto passenger = word(passengerWords(), o.passenger, Msg::FareNotAPassenger, o.lang);
    if (auto* f = std::get_if<Failure>(&passenger)) return *f;
    r.request.passenger = std::get<mkd::Passenger>(passenger);
    auto trip = word(tripWords(), o.trip, Msg::FareNotATrip, o.lang);
    if (auto* f = std::get_if<Failure>(&trip)) return *f;
    r.request.trip = o.roundTrip ? mkd::Trip::RoundTrip : std::get<mkd::Trip>(trip);
    r.request.routing = o.change ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;

    if (stations == Stations::Read) {
        auto from = station(StationList::All, o.from, o.lang);
        if (auto* f = std::get_if<Failure>(&from)) return *f;
        auto to = station(StationList::All, o.to, o.lang);
        if (auto* f = std::get_if<Failure>(&to)) return *f;
        r.request.departure = std::get<int>(from);
        r.request.arrival = std::get<int>(to);
    }
    if (o.section.size() == 2) {
        // Stops of the enquiry's section screen; without one, the core refuses.
        const auto list = mkd::enquiryShape(r.request.kind).section;
        mkd::Section s;
        if (list) {
            auto a = station(*list, o.section[0], o.lang);
            if (auto* f = std::get_if<Failure>(&a)) return *f;
            auto b = station(*list, o.section[1], o.lang);
            if (auto* f = std::get_if<Failure>(&b)) return *f;
            s = {std::get<int>(a), std::get<int>(b)};
        }
        r.request.section = s;
    }
    // Only the dated enquiries read the travel date (compare asks them all).
    if (dates == Dates::ForDatedKinds && !mkd::enquiryShape(r.request.kind).dated) return r;
    return resolveSeason(o, r);
}

// Every name of a station, whatever the language of the answer.
ordered_json stationJson(StationList list, int index) {
    if (!mkd::isValidIndex(list, index)) return nullptr;
    return {{"index", index},
            {"name", std::string(mkd::stationName(list, index))},
            {"display", std::string(mkd::displayName(list, index))},
            {"english", mkd::englishName(list, index)}};
}

// Codes and amounts are the same in either language; only the words meant
// to be read ("message", "text", "bill", …) follow `lang`.
ordered_json requestJson(const Resolved& r, mkd::Lang lang) {
    const EnquiryRequest& q = r.request;
    ordered_json j;
    j["kind"] = std::string(nameOf(kindWords(), q.kind));
    j["departure"] = stationJson(StationList::All, q.departure);
    j["arrival"] = stationJson(StationList::All, q.arrival);
    j["passenger"] = std::string(nameOf(passengerWords(), q.passenger));
    j["trip"] = std::string(nameOf(tripWords(), q.trip));
    j["routing"] = q.routing == mkd::Routing::Through ? "through" : "change";
    if (q.section) {
        const auto list = mkd::enquiryShape(q.kind).section;
        j["section"] = list ? ordered_json{{"from", stationJson(*list, q.section->from)},
                                           {"to", stationJson(*list, q.section->to)}}
                            : ordered_json(nullptr);
    }
    if (mkd::enquiryShape(q.kind).dated) {
        j["date"] = r.date ? ordered_json(isoDate(r.date->date)) : ordered_json(nullptr);
        j["season"] = std::string(nameOf(seasonWords(), q.season.value_or(mkd::Season::Normal)));
        if (r.date) {
            j["season_reason"] = mkd::seasonReason(*r.date, lang);
            if (r.date->rolledOver) j["rolled_over"] = mkd::rolledOverText(*r.date, lang);
        }
    }
    return j;
}

std::string refusalWords(const mkd::Refused& refused, mkd::Lang lang) { return mkd::refusalText(refused, lang); }
std::string refusalWhy(const mkd::Refused& refused, mkd::Lang lang) { return mkd::refusalReason(refused, lang); }

ordered_json refusedJson(const mkd::Refused& refused, mkd::Lang lang) {
    ordered_json j{{"reason", std::string(refusalName(refused.refusal))}, {"message", refusalWords(refused, lang)}};
    const std::string why = refusalWhy(refused, lang);
    if (why != j["message"]) j["why"] = why;
    return j;
}

ordered_json outcomeJson(const Resolved& r, const EnquiryOutcome& out, mkd::Lang lang) {
    ordered_json j = requestJson(r, lang);
    if (!out.ok()) {
        j["refused"] = refusedJson(out.refused, lang);
        return j;
    }
    const EnquiryAnswer& a = *out.answer;
    j["screen"] = a.charged ? "frmKekkaT" : "frmKekka";
    j["bill"] = std::string(mkd::text(a.bill, lang));
    j["distance"] = yen(a.distance);
    // Whether the 直通 / 松山乗換 choice was on the choice screen.
    if (mkd::enquiryShape(r.request.kind).routing) j["change_offered"] = a.routing.has_value();
    j["fare"] = money(a.fare, lang);
    if (a.charged) {
        ordered_json charge;
        charge["caption"] = a.caption ? std::string(mkd::text(*a.caption, lang)) : std::string();
        if (a.sectionList)
            charge["section"] = {{"from", stationJson(*a.sectionList, a.section.from)},
                                 {"to", stationJson(*a.sectionList, a.section.to)}};
        else
            charge["section"] = nullptr;
        charge["yen"] = yen(a.charge);
        charge["text"] = mkd::formatMoney(a.charge, lang);
        j["charge"] = charge;
    }
    j["total"] = money(a.total, lang);
    if (!a.shortTables.empty()) j["short_tables"] = shortTablesJson(a.shortTables);
    return j;
}

std::string failureJson(const Failure& f) {
    ordered_json j;
    j["refused"] = {{"reason", f.reason}, {"message", f.message}};
    return dumpJson(j);
}

int fail(const Failure& f, bool json) {
    if (json) std::cout << failureJson(f) << '\n';
    std::cerr << "mkd-fare: " << printable(f.message) << '\n';
    return f.status;
}

int statusOf(const EnquiryOutcome& out) {
    if (out.ok()) return kAnswered;
    return out.refused.refusal == mkd::Refusal::TableUnreadable ? kTableError : kRefused;
}

bool tableBroken(const EnquiryOutcome& out) {
    return !out.ok() && out.refused.refusal == mkd::Refusal::TableUnreadable;
}

// What the result screen shows, top to bottom.
void printAnswer(const Resolved& r, const EnquiryAnswer& a, mkd::Lang lang) {
    const auto words = [lang](Msg id) { return mkd::text(id, lang); };
    const auto amount = [lang](double yen) { return mkd::formatMoney(yen, lang); };
    const std::string journey = mkd::stationLabelWords(StationList::All, a.departure, lang) + " ⇒ " +
                                mkd::stationLabelWords(StationList::All, a.arrival, lang);
    if (!a.charged) {
        std::cout << words(Msg::Result) << '\n' << journey << '\n' << words(a.bill) << ' ' << amount(a.fare) << '\n';
        return;
    }
    std::cout << words(Msg::Result) << ' ' << words(a.bill) << '\n';
    if (r.date && mkd::enquiryShape(r.request.kind).dated)
        std::cout << mkd::text(Msg::TravelDate, lang, {isoDate(r.date->date)}) << '\n';
    std::cout << words(Msg::FareLine) << ' ' << journey << ' ' << amount(a.fare) << '\n';
    std::cout << (a.caption ? words(*a.caption) : std::string_view()) << ' ';
    if (a.sectionList)
        std::cout << mkd::stationLabelWords(*a.sectionList, a.section.from, lang) << " ⇒ "
                  << mkd::stationLabelWords(*a.sectionList, a.section.to, lang) << ' ';
    std::cout << amount(a.charge) << '\n';
    std::cout << words(Msg::TotalLine) << ' ' << amount(a.total) << '\n';
    for (const auto& t : a.shortTables) std::cout << mkd::shortTableText(t, lang) << '\n';
}

}  // namespace

int runEnquiry(const Options& o) {
    const auto resolved = resolve(o, Stations::Read, Dates::ForDatedKinds);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json);
    const Resolved& r = std::get<Resolved>(resolved);

    mkd::TableStore tables(o.where);
    mkd::Enquirer enquirer(tables);
    const EnquiryOutcome out = enquirer.ask(r.request);
    if (o.json) {
        std::cout << dumpJson(outcomeJson(r, out, o.lang)) << '\n';
    } else if (out.ok()) {
        printAnswer(r, *out.answer, o.lang);
    }
    if (!out.ok()) std::cerr << "mkd-fare: " << printable(refusalWords(out.refused, o.lang)) << '\n';
    return statusOf(out);
}

int runCompare(const Options& o) {
    Options base = o;
    base.kind = "local";
    base.trip = "one-way";
    base.roundTrip = false;
    base.change = false;
    base.section.clear();
    const auto resolved = resolve(base, Stations::Read, Dates::Always);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json);
    const Resolved& r = std::get<Resolved>(resolved);

    mkd::TableStore tables(o.where);
    mkd::Enquirer enquirer(tables);

    struct Row {
        std::string label;
        Enquiry kind;
        mkd::Routing routing;
        EnquiryOutcome oneWay;
        EnquiryOutcome roundTrip;
    };
    std::vector<Row> rows;
    const mkd::Season season = r.request.season.value_or(mkd::Season::Normal);
    for (Enquiry kind : mkd::kEnquiries) {
        for (mkd::Routing routing : {mkd::Routing::Through, mkd::Routing::ChangeAtMatsuyama}) {
            EnquiryRequest q = r.request;
            q.kind = kind;
            q.routing = routing;
            q.trip = mkd::Trip::OneWay;
            std::string label(mkd::kindName(kind, o.lang));
            if (mkd::enquiryShape(kind).dated) label += " (" + std::string(mkd::seasonName(season, o.lang)) + ")";
            Row row{label, kind, routing, enquirer.ask(q), {}};
            if (tableBroken(row.oneWay)) {
                std::cerr << "mkd-fare: " << printable(refusalWords(row.oneWay.refused, o.lang)) << '\n';
                return kTableError;
            }
            if (routing == mkd::Routing::ChangeAtMatsuyama) {
                // Only where the screens show the choice.
                if (!row.oneWay.ok() || !rows.back().oneWay.ok()) continue;
                rows.back().label += " " + std::string(mkd::text(Msg::Through, o.lang));
                row.label += " " + std::string(mkd::text(Msg::ChangeAtMatsuyama, o.lang));
            }
            q.trip = mkd::Trip::RoundTrip;
            row.roundTrip = enquirer.ask(q);
            rows.push_back(std::move(row));
        }
    }
    reportShortLoads(std::cerr, enquirer.takeShortLoads(), o.lang);
    bool anyAnswer = false;
    for (const Row& row : rows) anyAnswer = anyAnswer || row.oneWay.ok();

    if (o.json) {
        ordered_json j;
        j["departure"] = stationJson(StationList::All, r.request.departure);
        j["arrival"] = stationJson(StationList::All, r.request.arrival);
        j["passenger"] = std::string(nameOf(passengerWords(), r.request.passenger));
        j["date"] = r.date ? ordered_json(isoDate(r.date->date)) : ordered_json(nullptr);
        j["season"] = std::string(nameOf(seasonWords(), season));
        ordered_json list = ordered_json::array();
        for (const Row& row : rows) {
            ordered_json e;
            e["kind"] = std::string(nameOf(kindWords(), row.kind));
            e["routing"] = row.routing == mkd::Routing::Through ? "through" : "change";
            e["label"] = row.label;
            if (row.oneWay.ok()) {
                const auto& caption = row.oneWay.answer->caption;
                e["caption"] = caption ? std::string(mkd::text(*caption, o.lang)) : std::string();
                e["one_way"] = money(row.oneWay.answer->total, o.lang);
                e["round_trip"] = money(row.roundTrip.answer->total, o.lang);
            } else {
                e["refused"] = refusedJson(row.oneWay.refused, o.lang);
            }
            list.push_back(e);
        }
        j["options"] = list;
        std::cout << dumpJson(j) << '\n';
        return anyAnswer ? kAnswered : kRefused;
    }

    int labelWidth = 0;
    for (const Row& row : rows) labelWidth = std::max(labelWidth, displayWidth(row.label));
    std::cout << mkd::stationLabelWords(StationList::All, r.request.departure, o.lang) << " ⇒ "
              << mkd::stationLabelWords(StationList::All, r.request.arrival, o.lang) << "  "
              << mkd::passengerName(r.request.passenger, o.lang);
    if (r.date) std::cout << "  " << mkd::text(Msg::TravelDate, o.lang, {isoDate(r.date->date)});
    std::cout << "  (" << mkd::seasonName(season, o.lang) << ")\n";
    constexpr int kAmountWidth = 12;
    std::cout << padRight("", labelWidth) << padLeft(mkd::text(Msg::OneWay, o.lang), kAmountWidth)
              << padLeft(mkd::text(Msg::RoundTrip, o.lang), kAmountWidth) << '\n';
    for (const Row& row : rows) {
        std::cout << padRight(row.label, labelWidth);
        if (row.oneWay.ok())
            std::cout << padLeft(mkd::formatMoney(row.oneWay.answer->total, o.lang), kAmountWidth)
                      << padLeft(mkd::formatMoney(row.roundTrip.answer->total, o.lang), kAmountWidth);
        else
            std::cout << "  " << printable(refusalWords(row.oneWay.refused, o.lang));
        std::cout << '\n';
    }
    return anyAnswer ? kAnswered : kRefused;
}

int runChart(const Options& o) {
    const auto resolved = resolve(o, Stations::None, Dates::ForDatedKinds);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, false);
    const Resolved& r = std::get<Resolved>(resolved);
    if (o.price == "charge" && r.request.kind == Enquiry::Local)
        return fail({kUsageError, "no-charge", usage(Msg::FareNoCharge, o.lang)}, false);

    mkd::TableStore tables(o.where);
    mkd::Enquirer enquirer(tables);
    std::ostringstream csv;
    const auto name = [&o](int index) { return mkd::stationWords(StationList::All, index, o.lang); };
    csv << mkd::text(Msg::ChartCorner, o.lang);
    for (int a = 0; a < mkd::kAllStations; ++a) csv << ',' << name(a);
    csv << '\n';
    for (int d = 0; d < mkd::kAllStations; ++d) {
        csv << name(d);
        for (int a = 0; a < mkd::kAllStations; ++a) {
            EnquiryRequest q = r.request;
            q.departure = d;
            q.arrival = a;
            const EnquiryOutcome out = enquirer.ask(q);
            if (tableBroken(out)) {
                std::cerr << "mkd-fare: " << printable(refusalWords(out.refused, o.lang)) << '\n';
                return kTableError;
            }
            csv << ',';
            if (!out.ok()) continue;
            const double amount = o.price == "fare"     ? out.answer->fare
                                  : o.price == "charge" ? out.answer->charge
                                                        : out.answer->total;
            csv << csvAmount(amount);
        }
        csv << '\n';
    }
    reportShortLoads(std::cerr, enquirer.takeShortLoads(), o.lang);
    if (o.output.empty() || o.output == "-") {
        std::cout << csv.str();
    } else {
        std::ofstream file(o.output, std::ios::binary | std::ios::trunc);
        file << csv.str();
        file.close();
        if (!file) {
            std::cerr << "mkd-fare: " << usage(Msg::FareCannotWrite, o.lang, printable(o.output)) << '\n';
            return kUsageError;
        }
    }
    return kAnswered;
}

int runCheck(const std::string& given, const mkd::Locations& located, bool json, mkd::Lang lang) {
    namespace fs = std::filesystem;
    std::string folder = given.empty() ? located.tableFolder : given;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        std::cerr << "mkd-fare: " << usage(Msg::FareNoFolder, lang, printable(folder)) << '\n';
        return 2;
    }
    // An application folder (the one that holds Untin/) will do too.
    bool anyTable = false;
    for (const auto& info : mkd::tableFiles()) anyTable = anyTable || fs::exists(fs::path(folder) / info.name, error);
    if (!anyTable && fs::is_directory(fs::path(folder) / mkd::kTableFolder, error))
        folder = (fs::path(folder) / mkd::kTableFolder).string();

    // A folder given on the command line is checked with its own Henko.txt,
    // as it will be shipped; otherwise the Henko.txt this user's mkd reads.
    const mkd::Locations where = given.empty() ? located : mkd::locationsOfTableFolder(folder);
    const std::vector<mkd::TableProblem> problems = mkd::checkTableFolder(where.tableFolder, where.selectionFile);
    std::cout << (json ? checkReportJson(folder, where, problems, lang)
                       : checkReportText(folder, where, problems, lang));
    return mkd::checkStatus(problems);
}

}  // namespace fare
