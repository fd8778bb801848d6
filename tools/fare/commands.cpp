#include "commands.hpp"

#include "output.hpp"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>
#include <variant>

#include "data/careful_save.hpp"
#include "data/station_names.hpp"
#include "data/station_search.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_check.hpp"
#include "data/table_edition.hpp"
#include "data/table_store.hpp"
#include "explain/answer_words.hpp"
#include "explain/claim_words.hpp"
#include "explain/comparison_words.hpp"
#include "explain/enquiry_words.hpp"
#include "explain/journey_words.hpp"
#include "explain/split_words.hpp"
#include "pricing/comparison.hpp"
#include "pricing/season.hpp"
#include "pricing/season_calendar.hpp"
#include "pricing/split_tickets.hpp"
#include "records/journey_list.hpp"
#include "words/money.hpp"
#include "xlsx/xlsx_writer.hpp"

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
enum class Stations { Read, None };  // chart asks every pair
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
    // Only the dated enquiries read the travel date (compare asks them all);
    // what is no date at all is a mistake whatever the kind.
    if (dates == Dates::ForDatedKinds && !mkd::enquiryShape(r.request.kind).dated) {
        if (!o.date.empty() && !parseDate(o.date))
            return Failure{kUsageError, "bad-date", usage(Msg::FareNotADate, o.lang, o.date)};
        return r;
    }
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
    j["distance"] = number(a.distance);
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
    return dumpJson(std::move(j));
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

namespace {

ordered_json priceJson(const mkd::ClassPrice& price, mkd::Lang lang) {
    if (!price.answer) return {{"refused", refusedJson(*price.refused, lang)}};
    return {{"fare", money(price.answer->fare, lang)},
            {"charge", money(price.answer->charge, lang)},
            {"total", money(price.answer->total, lang)}};
}

ordered_json partyJson(const mkd::WayRow& row, mkd::Lang lang) {
    if (!row.partyTotal) {
        const mkd::Refused& why = row.refused ? *row.refused : *row.partyRefused;
        return {{"refused", refusedJson(why, lang)}};
    }
    return {{"total", money(*row.partyTotal, lang)}, {"cheapest", row.cheapest}};
}

// The party as written: each number in decimal digits only ("010" is ten,
// "0x10" and "+1" are no number of people), 0 to kMostOfAClass, and someone
// in it; one adult where no party was given.
std::variant<Failure, mkd::Party> partyOf(const Options& o) {
    mkd::Party party{1, 0, 0};
    if (!o.partyGiven) return party;
    static constexpr const char* kOptions[] = {"--adults", "--children", "--students"};
    int counts[3] = {0, 0, 0};
    const std::size_t mostDigits = std::to_string(mkd::kMostOfAClass).size();
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
        if (!o.partyWritten[i]) continue;
        const std::string& written = *o.partyWritten[i];
        const std::size_t digits = written.find_first_not_of('0');
        const std::string value = digits == std::string::npos ? "0" : written.substr(digits);
        const bool decimal = !written.empty() && written.find_first_not_of("0123456789") == std::string::npos;
        if (!decimal || value.size() > mostDigits || std::stoi(value) > mkd::kMostOfAClass)
            return Failure{kUsageError, "bad-party",
                           mkd::text(Msg::FareNotAPartySize, o.lang,
                                     {kOptions[i], printable(written), std::to_string(mkd::kMostOfAClass)})};
        counts[i] = std::stoi(value);
    }
    party = {counts[0], counts[1], counts[2]};
    if (!party.valid()) return Failure{kUsageError, "empty-party", std::string(mkd::text(Msg::FarePartyEmpty, o.lang))};
    return party;
}

}  // namespace

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
    const auto partyRead = partyOf(o);
    if (auto* f = std::get_if<Failure>(&partyRead)) return fail(*f, o.json);
    const mkd::Party& given = std::get<mkd::Party>(partyRead);

    mkd::TableStore tables(o.where);
    mkd::Comparer comparer(tables);
    const mkd::Season season = r.request.season.value_or(mkd::Season::Normal);
    mkd::ComparisonRequest asked{r.request.departure, r.request.arrival, given, mkd::Trip::OneWay, season};
    const mkd::Comparison oneWay = comparer.compare(asked);
    asked.trip = mkd::Trip::RoundTrip;
    const mkd::Comparison roundTrip = comparer.compare(asked);
    if (const auto& broken = oneWay.tableProblem ? oneWay.tableProblem : roundTrip.tableProblem) {
        std::cerr << "mkd-fare: " << printable(refusalWords(*broken, o.lang)) << '\n';
        return kTableError;
    }
    reportShortLoads(std::cerr, comparer.takeShortLoads(), o.lang);

    // One passenger's totals, or the party's where a party was given.
    const mkd::Passenger passenger = r.request.passenger;
    const bool party = o.partyGiven;
    bool anyAnswer = false;
    for (const mkd::WayRow& row : oneWay.rows) anyAnswer = anyAnswer || row.price(passenger).answer.has_value();
    if (party) {
        anyAnswer = false;
        for (const mkd::WayRow& row : oneWay.rows) anyAnswer = anyAnswer || row.partyTotal.has_value();
    }

    if (o.json) {
        ordered_json j;
        j["departure"] = stationJson(StationList::All, r.request.departure);
        j["arrival"] = stationJson(StationList::All, r.request.arrival);
        j["passenger"] = std::string(nameOf(passengerWords(), passenger));
        j["date"] = r.date ? ordered_json(isoDate(r.date->date)) : ordered_json(nullptr);
        j["season"] = std::string(nameOf(seasonWords(), season));
        j["distance"] = number(oneWay.distance);
        j["validity_days"] = {{"one_way", oneWay.validityDays}, {"round_trip", roundTrip.validityDays}};
        if (party) j["party"] = {{"adults", given.adults}, {"children", given.children}, {"students", given.students}};
        ordered_json list = ordered_json::array();
        for (std::size_t i = 0; i < oneWay.rows.size(); ++i) {
            const mkd::WayRow& row = oneWay.rows[i];
            const mkd::WayRow& back = roundTrip.rows[i];
            ordered_json e;
            e["kind"] = std::string(nameOf(kindWords(), row.kind));
            e["routing"] = row.routing == mkd::Routing::Through ? "through" : "change";
            e["label"] = mkd::wayName(row, season, o.lang);
            const mkd::ClassPrice& price = row.price(passenger);
            if (price.answer) {
                const auto& caption = price.answer->caption;
                e["caption"] = caption ? std::string(mkd::text(*caption, o.lang)) : std::string();
                e["one_way"] = money(price.answer->total, o.lang);
                e["round_trip"] = money(back.price(passenger).answer->total, o.lang);
            } else {
                e["refused"] = refusedJson(*price.refused, o.lang);
            }
            if (party) {
                e["party"] = {{"one_way", partyJson(row, o.lang)}, {"round_trip", partyJson(back, o.lang)}};
                ordered_json classes;
                for (mkd::Passenger p : mkd::kPassengers)
                    classes[std::string(nameOf(passengerWords(), p))] = {
                        {"one_way", priceJson(row.price(p), o.lang)}, {"round_trip", priceJson(back.price(p), o.lang)}};
                e["classes"] = classes;
                e["validity_days"] = {{"one_way", row.validityDays}, {"round_trip", back.validityDays}};
            }
            list.push_back(e);
        }
        j["options"] = list;
        std::cout << dumpJson(std::move(j)) << '\n';
        return anyAnswer ? kAnswered : kRefused;
    }

    std::vector<std::string> labels;
    int labelWidth = 0;
    for (const mkd::WayRow& row : oneWay.rows) {
        labels.push_back(mkd::wayName(row, season, o.lang));
        labelWidth = std::max(labelWidth, displayWidth(labels.back()));
    }
    std::cout << mkd::stationLabelWords(StationList::All, r.request.departure, o.lang) << " ⇒ "
              << mkd::stationLabelWords(StationList::All, r.request.arrival, o.lang) << "  "
              << (party ? mkd::partyText(given, o.lang) : std::string(mkd::passengerName(passenger, o.lang)));
    if (r.date) std::cout << "  " << mkd::text(Msg::TravelDate, o.lang, {isoDate(r.date->date)});
    std::cout << "  (" << mkd::seasonName(season, o.lang) << ")\n";
    constexpr int kAmountWidth = 12;
    std::cout << padRight(party ? mkd::text(Msg::PartyTotal, o.lang) : "", labelWidth)
              << padLeft(mkd::text(Msg::OneWay, o.lang), kAmountWidth)
              << padLeft(mkd::text(Msg::RoundTrip, o.lang), kAmountWidth);
    if (party) std::cout << padLeft(mkd::text(Msg::ValidityLine, o.lang), kAmountWidth);
    std::cout << '\n';
    for (std::size_t i = 0; i < oneWay.rows.size(); ++i) {
        const mkd::WayRow& row = oneWay.rows[i];
        const mkd::WayRow& back = roundTrip.rows[i];
        std::cout << padRight(labels[i], labelWidth);
        if (party) {
            if (row.partyTotal && back.partyTotal)
                std::cout << padLeft(mkd::formatMoney(*row.partyTotal, o.lang), kAmountWidth)
                          << padLeft(mkd::formatMoney(*back.partyTotal, o.lang), kAmountWidth)
                          << padLeft(mkd::validityText(row.validityDays, o.lang), kAmountWidth)
                          << (row.cheapest ? "  *" : "");
            else
                std::cout << "  " << printable(mkd::wayRefusalText(row, o.lang));
        } else if (const mkd::ClassPrice& price = row.price(passenger); price.answer) {
            std::cout << padLeft(mkd::formatMoney(price.answer->total, o.lang), kAmountWidth)
                      << padLeft(mkd::formatMoney(back.price(passenger).answer->total, o.lang), kAmountWidth);
        } else {
            std::cout << "  " << printable(refusalWords(*price.refused, o.lang));
        }
        std::cout << '\n';
    }
    return anyAnswer ? kAnswered : kRefused;
}

// Writes `text` to `output` ("" or "-": standard output); false, with the
// reason on standard error, when the system refuses (a full disk, a closed
// pipe) and the text was not written whole. A named file is written as the
// program writes every export (mkd::exportCarefully): a device, a pipe or a
// folder there is refused, and a write that fails leaves the old file whole.
bool writeOut(const std::string& text, const std::string& output, mkd::Lang lang) {
    if (output.empty() || output == "-") {
        std::cout << text;
        if (std::cout.flush()) return true;
        std::cerr << "mkd-fare: " << usage(Msg::FareCannotWrite, lang, "-") << '\n';
        return false;
    }
    const mkd::SaveResult saved = mkd::exportCarefully(output, text);
    if (saved.ok()) return true;
    const std::string reason = saved.problem == mkd::SaveProblem::ReadOnlyFile
                                   ? std::string(mkd::text(Msg::ReasonReadOnlyFile, lang))
                                   : mkd::reasonText(saved.error, lang);
    std::cerr << "mkd-fare: " << mkd::text(Msg::FareCannotWriteBecause, lang, {printable(output), reason}) << '\n';
    return false;
}

bool writeOut(const std::string& text, const Options& o) { return writeOut(text, o.output, o.lang); }

// Writes `book` as .xlsx to the file --output names (a workbook is no text
// for a terminal or a pipe), carefully: never over a device or a pipe, and
// a failed write leaves the old file as it was.
int writeWorkbook(const mkd::Workbook& book, const Options& o) {
    if (o.output.empty() || o.output == "-") {
        std::cerr << "mkd-fare: " << usage(Msg::FareXlsxNeedsFile, o.lang) << '\n';
        return kUsageError;
    }
    std::string error;
    const std::string bytes = mkd::workbookBytes(book, error);
    if (bytes.empty()) {
        std::cerr << "mkd-fare: "
                  << mkd::text(Msg::FareCannotWriteBecause, o.lang, {printable(o.output), printable(error)}) << '\n';
        return kUsageError;
    }
    const mkd::SaveResult saved = mkd::saveCarefully(o.output, bytes);
    if (!saved.ok()) {
        std::cerr << "mkd-fare: "
                  << mkd::text(Msg::FareCannotWriteBecause, o.lang,
                               {printable(saved.path.empty() ? o.output : saved.path),
                                printable(mkd::reasonText(saved.error, o.lang))})
                  << '\n';
        return kUsageError;
    }
    return kAnswered;
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
    // The same as a workbook: a row per departure, a column per arrival.
    mkd::Workbook book;
    mkd::SheetGroup chart;
    book.heads.emplace_back(mkd::text(Msg::ChartCorner, o.lang));
    for (int a = 0; a < mkd::kAllStations; ++a) book.heads.push_back(name(a));
    for (int d = 0; d < mkd::kAllStations; ++d) {
        csv << name(d);
        auto& cells = chart.rows.emplace_back();
        cells.push_back(mkd::SheetCell::words(name(d)));
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
            if (!out.ok()) {
                cells.emplace_back();
                continue;
            }
            const double amount = o.price == "fare"     ? out.answer->fare
                                  : o.price == "charge" ? out.answer->charge
                                                        : out.answer->total;
            csv << csvAmount(amount);
            cells.push_back(mkd::SheetCell::yen(std::round(mkd::shownAmount(amount))));
        }
        csv << '\n';
    }
    reportShortLoads(std::cerr, enquirer.takeShortLoads(), o.lang);
    if (o.xlsx) {
        const mkd::TablesInUse tablesNow = mkd::tablesInUse(o.where.tableFolder);
        book.sheetName = mkd::text(Msg::ProgramName, o.lang);
        book.title = std::string(mkd::text(Msg::ProgramName, o.lang)) + " " +
                     std::string(mkd::kindName(r.request.kind, o.lang)) + " (" + o.price + ")";
        book.lines.push_back(mkd::claimMadeWith(MKD_VERSION, tablesNow, o.lang));
        book.footer = book.lines.back();
        book.yenFormat = o.lang == mkd::Lang::English ? "\"¥\"#,##0" : "#,##0\"円\"";
        book.groups.push_back(std::move(chart));
        return writeWorkbook(book, o);
    }
    std::string text = csv.str();
    if (o.excel) {
        std::string excel = "\xEF\xBB\xBF";
        for (char c : text) excel += c == '\n' ? std::string("\r\n") : std::string(1, c);
        text = std::move(excel);
    }
    return writeOut(text, o) ? kAnswered : kUsageError;
}

int runJourneys(const Options& o) {
    const std::string path = mkd::journeyListPath(mkd::userFoldersFromEnvironment());
    if (path.empty()) {
        std::cerr << "mkd-fare: " << mkd::text(Msg::FareNoJourneyList, o.lang) << '\n';
        return kTableError;
    }
    if (!o.month.empty() && !mkd::readDate(o.month + "-01")) {
        std::cerr << "mkd-fare: " << usage(Msg::FareNotAMonth, o.lang, printable(o.month)) << '\n';
        return kUsageError;
    }
    // Read only: a damaged file is reported and left where it is for mkd,
    // which keeps it aside when it next opens the list.
    mkd::JourneyList list;
    std::string bytes;
    const mkd::LoadResult read = mkd::readFileBytes(path, bytes, mkd::kMaxJourneyFileBytes);
    if (!read.ok() && !(read.error == mkd::LoadError::CannotOpen && read.systemError == ENOENT)) {
        const int error = read.error == mkd::LoadError::TooLarge ? EFBIG : read.systemError;
        std::cerr << "mkd-fare: "
                  << printable(mkd::text(Msg::JourneyUnreadable, o.lang, {path, mkd::reasonText(error, o.lang)}))
                  << '\n';
        return kTableError;
    }
    if (read.ok()) {
        const mkd::JourneyRead parsed = mkd::readJourneyList(bytes);
        if (!parsed.ok()) {
            // Every line that cannot be read; no total without them.
            for (const mkd::JourneyProblem& problem : parsed.problems)
                std::cerr << "mkd-fare: " << printable(path) << ":" << problem.line << ": "
                          << printable(mkd::journeyProblemText(problem, o.lang)) << '\n';
            return kTableError;
        }
        list = parsed.list;
    }
    const mkd::TablesInUse tablesNow = mkd::tablesInUse(o.where.tableFolder);
    if (o.xlsx) return writeWorkbook(mkd::journeyWorkbook(list, o.month, tablesNow, o.lang, MKD_VERSION), o);
    std::string text;
    if (o.csv || o.excel) {
        text = mkd::journeyCsv(list, o.month, tablesNow, o.lang, o.excel ? mkd::CsvStyle::Excel : mkd::CsvStyle::Plain);
    } else if (o.json) {
        ordered_json rows = ordered_json::array();
        for (int i : list.rowsOf(o.month)) {
            const mkd::JourneyRow& j = list.rows[static_cast<std::size_t>(i)];
            rows.push_back({{"date", j.date ? ordered_json(mkd::dateText(j.date)) : ordered_json()},
                            {"from", printable(mkd::stationWords(StationList::All, j.departure, o.lang))},
                            {"to", printable(mkd::stationWords(StationList::All, j.arrival, o.lang))},
                            {"kind", std::string(mkd::enquiryShape(j.kind).id)},
                            {"passenger", std::string(mkd::passengerId(j.passenger))},
                            {"trip", std::string(mkd::tripId(j.trip))},
                            {"amount", money(j.amount, o.lang)},
                            {"note", j.note},
                            {"same_tables", j.tables == tablesNow.fingerprint}});
        }
        // The note as it is: JSON writes every character a reader needs
        // escaped, and a byte that is not UTF-8 as \xNN (dumpJson).
        const ordered_json out = {{"file", path},
                                  {"tables", o.where.tableFolder},
                                  {"edition", tablesNow.edition},
                                  {"month", o.month.empty() ? ordered_json() : ordered_json(o.month)},
                                  {"journeys", rows},
                                  {"total", money(list.total(o.month), o.lang)}};
        text = dumpJson(out) + "\n";
    } else {
        // Columns as wide as their widest cell; amounts as the screens write them.
        std::vector<std::vector<std::string>> table{mkd::journeyHeads(o.lang)};
        for (int i : list.rowsOf(o.month)) {
            const mkd::JourneyRow& j = list.rows[static_cast<std::size_t>(i)];
            auto cells = mkd::journeyCells(j, tablesNow, o.lang);
            cells[6] = mkd::formatMoney(j.amount, o.lang);
            for (auto& c : cells) c = printable(c);
            table.push_back(std::move(cells));
        }
        std::vector<std::string> total(table.front().size());
        total[0] = mkd::text(Msg::JourneyTotal, o.lang);
        total[6] = mkd::formatMoney(list.total(o.month), o.lang);
        table.push_back(total);
        std::vector<int> widths(table.front().size(), 0);
        for (const auto& row : table)
            for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));
        for (const auto& row : table) {
            std::string line;
            for (std::size_t c = 0; c < row.size(); ++c)
                line += (c ? "  " : "") + (c == 6 ? padLeft(row[c], widths[c]) : padRight(row[c], widths[c]));
            while (!line.empty() && line.back() == ' ') line.pop_back();
            text += line + "\n";
        }
    }
    return writeOut(text, o) ? kAnswered : kUsageError;
}

namespace {

ordered_json ticketJson(const mkd::SplitTicket& t, mkd::Lang lang) {
    return {{"from", stationJson(StationList::All, t.from)},
            {"to", stationJson(StationList::All, t.to)},
            {"km", number(t.km)},
            {"amount", money(t.amount, lang)},
            {"validity_days", t.validityDays},
            {"student_fare", t.studentFare},
            {"stopovers", t.stopovers}};
}

std::string_view splitProblemName(mkd::SplitProblem problem) {
    return problem == mkd::SplitProblem::SameStation ? "same-station" : "not-priced";
}

ordered_json splitJson(const mkd::SplitAnswer& s, mkd::Lang lang) {
    ordered_json j;
    j["departure"] = stationJson(StationList::All, s.departure);
    j["arrival"] = stationJson(StationList::All, s.arrival);
    j["passenger"] = std::string(nameOf(passengerWords(), s.passenger));
    j["trip"] = std::string(nameOf(tripWords(), s.trip));
    if (s.problem != mkd::SplitProblem::None) {
        j["refused"] = {{"reason", std::string(splitProblemName(s.problem))},
                        {"message", mkd::splitNotCheaperText(s, lang)}};
        return j;
    }
    j["through"] = ticketJson(s.through, lang);
    j["cheaper"] = s.cheaper();
    ordered_json tickets = ordered_json::array();
    for (const mkd::SplitTicket& t : s.tickets) tickets.push_back(ticketJson(t, lang));
    j["tickets"] = tickets;
    ordered_json at = ordered_json::array();
    for (int station : s.splitStations()) at.push_back(stationJson(StationList::All, station));
    j["split_at"] = at;
    j["total"] = money(s.total, lang);
    j["saving"] = money(s.saving, lang);
    j["gives_up"] = {{"validity", s.costs.validity},
                     {"through_days", s.through.validityDays},
                     {"shortest_days", s.cheaper() ? s.costs.shortestDays : s.through.validityDays},
                     {"stopovers", s.costs.stopovers},
                     {"student_fare", s.costs.studentFare}};
    j["text"] = s.cheaper() ? mkd::splitCheaperText(s, lang) : mkd::splitNotCheaperText(s, lang);
    ordered_json lines = ordered_json::array();
    for (const std::string& line : mkd::splitTicketLines(s, lang)) lines.push_back(line);
    for (const std::string& line : mkd::splitGivesUpLines(s, lang)) lines.push_back(line);
    j["lines"] = lines;
    return j;
}

void printSplit(const mkd::SplitAnswer& s, mkd::Lang lang) {
    std::cout << mkd::stationLabelWords(StationList::All, s.departure, lang) << " ⇒ "
              << mkd::stationLabelWords(StationList::All, s.arrival, lang) << "  "
              << mkd::passengerName(s.passenger, lang) << "  "
              << mkd::text(s.trip == mkd::Trip::RoundTrip ? Msg::RoundTrip : Msg::OneWay, lang) << '\n';
    std::cout << mkd::splitThroughText(s, lang) << '\n';
    if (!s.cheaper()) {
        std::cout << mkd::splitNotCheaperText(s, lang) << '\n';
        return;
    }
    std::cout << mkd::splitCheaperText(s, lang) << '\n';
    // Headings flush left, their items indented.
    const auto print = [](const std::vector<std::string>& lines, bool lastIsItem) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool item = i > 0 && (lastIsItem || i + 1 < lines.size());
            std::cout << (item ? "  " : "") << lines[i] << '\n';
        }
    };
    print(mkd::splitTicketLines(s, lang), false);
    print(mkd::splitGivesUpLines(s, lang), true);
}

int splitAll(const Resolved& r, const mkd::TableStore& tables, const Options& o) {
    const mkd::SplitPlanner planner(tables, r.request.passenger);
    const auto name = [&o](int index) { return mkd::stationWords(StationList::All, index, o.lang); };
    std::ostringstream csv;
    csv << "departure,arrival,through,best,saving,split_at\n";
    for (int d = 0; d < mkd::kAllStations; ++d)
        for (int a = 0; a < mkd::kAllStations; ++a) {
            if (d == a) continue;
            const mkd::SplitAnswer s = planner.plan(d, a, r.request.trip);
            csv << name(d) << ',' << name(a) << ',';
            if (s.problem == mkd::SplitProblem::None) {
                csv << csvAmount(s.through.amount) << ',' << csvAmount(s.total) << ',' << csvAmount(s.saving) << ',';
                const std::vector<int> at = s.splitStations();
                for (std::size_t i = 0; i < at.size(); ++i) csv << (i > 0 ? ";" : "") << name(at[i]);
            } else {
                csv << ",,,";
            }
            csv << '\n';
        }
    return writeOut(csv.str(), o.output, o.lang) ? kAnswered : kUsageError;
}

}  // namespace

int runSplit(const Options& o) {
    Options base = o;
    base.kind = "local";
    base.change = false;
    base.section.clear();
    const auto resolved = resolve(base, o.all ? Stations::None : Stations::Read, Dates::ForDatedKinds);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json && !o.all);
    const Resolved& r = std::get<Resolved>(resolved);

    // The start-up tables, read as the start screen reads them.
    mkd::TableStore tables(o.where);
    mkd::Enquirer enquirer(tables);
    EnquiryRequest q;
    q.departure = 0;
    q.arrival = 1;
    const EnquiryOutcome loaded = enquirer.ask(q);
    if (tableBroken(loaded)) {
        std::cerr << "mkd-fare: " << printable(refusalWords(loaded.refused, o.lang)) << '\n';
        return kTableError;
    }
    reportShortLoads(std::cerr, enquirer.takeShortLoads(), o.lang);
    if (o.all) return splitAll(r, tables, o);

    const mkd::SplitAnswer s =
        mkd::cheapestSplit(tables, r.request.passenger, r.request.trip, r.request.departure, r.request.arrival);
    if (o.json) {
        if (!writeOut(dumpJson(splitJson(s, o.lang)) + "\n", "", o.lang)) return kUsageError;
    } else if (s.problem == mkd::SplitProblem::None) {
        printSplit(s, o.lang);
    }
    if (s.problem != mkd::SplitProblem::None) {
        std::cerr << "mkd-fare: " << printable(mkd::splitNotCheaperText(s, o.lang)) << '\n';
        return kRefused;
    }
    return kAnswered;
}

namespace {

// "2007-08": the month of the calendar; none when it is no month at all.
std::optional<WrittenDate> calendarMonthOf(const std::string& text) {
    if (text.size() < 6 || text.size() > 7 || text[4] != '-') return std::nullopt;
    const auto date = parseDate(text + "-1");
    if (!date || date->month < 1 || date->month > 12) return std::nullopt;
    return date;
}

std::string_view holidayDayName(mkd::HolidayDay day) {
    return day == mkd::HolidayDay::Holiday     ? "holiday"
           : day == mkd::HolidayDay::DayBefore ? "day-before"
                                               : "substitute";
}

std::string_view holidayId(mkd::Holiday holiday) {
    switch (holiday) {
        case mkd::Holiday::FoundationDay:
            return "foundation-day";
        case mkd::Holiday::RespectForTheAged:
            return "respect-for-the-aged-day";
        case mkd::Holiday::AutumnalEquinox:
            return "autumnal-equinox-day";
        case mkd::Holiday::CultureDay:
            return "culture-day";
        case mkd::Holiday::LabourThanksgiving:
            break;
    }
    return "labour-thanksgiving-day";
}

std::string csvCell(std::string text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

int runCalendar(const Options& o) {
    const auto written = calendarMonthOf(o.month);
    if (!written) return fail({kUsageError, "bad-date", usage(Msg::FareNotADate, o.lang, o.month)}, o.json);
    if (!mkd::isCalendarMonth(written->year, written->month))
        return fail({kRefused, "date-not-listed", mkd::dateNotListedText(o.lang)}, o.json);
    const bool withJourney = !o.from.empty();
    const auto resolved = resolve(o, withJourney ? Stations::Read : Stations::None, Dates::ForDatedKinds);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json);
    Resolved r = std::get<Resolved>(resolved);
    r.date.reset();

    mkd::Party party{0, 0, 0};
    if (o.partyGiven) {
        const auto partyRead = partyOf(o);
        if (auto* f = std::get_if<Failure>(&partyRead)) return fail(*f, o.json);
        party = std::get<mkd::Party>(partyRead);
    } else
        (r.request.passenger == mkd::Passenger::Adult   ? party.adults
         : r.request.passenger == mkd::Passenger::Child ? party.children
                                                        : party.students) = 1;
    std::optional<mkd::CalendarJourney> journey;
    if (withJourney) journey = mkd::CalendarJourney{r.request, party};
    mkd::SeasonCalendar calendar(o.where);
    const mkd::CalendarMonth m = calendar.month(written->year, written->month, journey);
    const int status = !m.refused                                            ? kAnswered
                       : m.refused->refusal == mkd::Refusal::TableUnreadable ? kTableError
                                                                             : kRefused;
    const auto weekdayWord = [&o](int w) { return std::string(mkd::weekdayName(w, o.lang)); };
    const auto overrideWords = [&o](const mkd::CalendarDay& d) {
        return d.override ? mkd::overrideText(*d.override, o.lang) : std::string();
    };
    char monthText[8];
    std::snprintf(monthText, sizeof monthText, "%04d-%02d", m.year, m.month);

    std::string out;
    if (o.json) {
        ordered_json j;
        j["month"] = monthText;
        j["title"] = mkd::text(Msg::CalendarMonthTitle, o.lang,
                               {std::to_string(m.year), std::to_string(m.month), mkd::monthName(m.month, o.lang)});
        if (journey) {
            ordered_json asked = requestJson(r, o.lang);
            asked.erase("passenger");
            asked.erase("date");
            asked.erase("season");
            j["journey"] = asked;
            j["party"] = {{"adults", party.adults}, {"children", party.children}, {"students", party.students}};
            j["seasonal"] = m.seasonal;
            if (m.refused) j["refused"] = refusedJson(*m.refused, o.lang);
        } else {
            j["journey"] = nullptr;
        }
        ordered_json days = ordered_json::array();
        for (const mkd::CalendarDay& d : m.days) {
            ordered_json e;
            e["date"] = isoDate(d.date);
            e["weekday"] = d.weekday;
            e["weekday_name"] = weekdayWord(d.weekday);
            e["season"] = std::string(nameOf(seasonWords(), d.season));
            e["season_name"] = std::string(mkd::seasonName(d.season, o.lang));
            if (d.override)
                e["override"] = {{"holiday", std::string(holidayId(d.override->holiday))},
                                 {"day", std::string(holidayDayName(d.override->day))},
                                 {"text", overrideWords(d)}};
            else
                e["override"] = nullptr;
            if (d.total) {
                e["total"] = money(*d.total, o.lang);
                e["cheapest"] = d.cheapest;
            }
            days.push_back(e);
        }
        j["days"] = days;
        out = dumpJson(std::move(j)) + "\n";
    } else if (o.csv) {
        out = "date,weekday,season,override,total,cheapest\n";
        for (const mkd::CalendarDay& d : m.days)
            out += isoDate(d.date) + ',' + csvCell(weekdayWord(d.weekday)) + ',' +
                   csvCell(std::string(mkd::seasonName(d.season, o.lang))) + ',' + csvCell(overrideWords(d)) + ',' +
                   (d.total ? csvAmount(*d.total) : std::string()) + ',' + (d.cheapest ? "1" : "") + "\n";
    } else {
        out = mkd::text(Msg::CalendarMonthTitle, o.lang,
                        {std::to_string(m.year), std::to_string(m.month), mkd::monthName(m.month, o.lang)}) +
              '\n';
        if (journey) {
            std::string line = mkd::pricedJourneyText(r.request, o.lang);
            for (char& c : line)
                if (c == '\n') c = ' ';
            out +=
                line + "  " + mkd::partyText(party, o.lang) + "  " +
                std::string(mkd::text(r.request.trip == mkd::Trip::RoundTrip ? Msg::RoundTrip : Msg::OneWay, o.lang)) +
                '\n';
            if (!m.seasonal && !m.refused) out += std::string(mkd::text(Msg::CalendarSameEveryDay, o.lang)) + '\n';
        }
        int weekdayWidth = 0;
        int seasonWidth = 0;
        for (const mkd::CalendarDay& d : m.days) {
            weekdayWidth = std::max(weekdayWidth, displayWidth(weekdayWord(d.weekday)));
            seasonWidth = std::max(seasonWidth, displayWidth(mkd::seasonName(d.season, o.lang)));
        }
        for (const mkd::CalendarDay& d : m.days) {
            std::string line = isoDate(d.date) + "  " + padRight(weekdayWord(d.weekday), weekdayWidth) + "  " +
                               padRight(mkd::seasonName(d.season, o.lang), seasonWidth);
            if (d.total)
                line += padLeft(mkd::formatMoney(*d.total, o.lang), 12) +
                        (d.cheapest ? "  * " + std::string(mkd::text(Msg::CalendarCheapest, o.lang)) : std::string());
            if (d.override) line += "  " + overrideWords(d);
            while (!line.empty() && line.back() == ' ') line.pop_back();
            out += line + '\n';
        }
    }
    if (!writeOut(out, "", o.lang)) return kUsageError;
    if (m.refused) std::cerr << "mkd-fare: " << printable(refusalWords(*m.refused, o.lang)) << '\n';
    return status;
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
