#include "commands.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <variant>

#include "data/mdlKeisan.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_check.hpp"
#include "pricing/money.hpp"
#include "pricing/season.hpp"

namespace fare {

namespace {

using nlohmann::ordered_json;
using mkd::Enquiry;
using mkd::EnquiryAnswer;
using mkd::EnquiryOutcome;
using mkd::EnquiryRequest;
using mkd::StationList;

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
    std::optional<mkd::Date> date;  // the travel date, when the season comes from one
};

constexpr std::string_view kDateNotListed =
    "乗車日は 2002年から2008年まで (平成14年から平成20年まで) の、1月から12月の 1日から31日で選んでください。";

std::string_view listName(StationList list) {
    switch (list) {
    case StationList::All: return "a station";
    case StationList::Express: return "a limited-express stop";
    case StationList::Marine: return "a Marine Liner stop";
    }
    return {};
}

std::variant<Failure, int> station(StationList list, const std::string& name) {
    if (auto index = stationByName(list, name)) return *index;
    return Failure{kUsageError, "unknown-station", "'" + name + "' is not " + std::string(listName(list))};
}

template <class T>
std::variant<Failure, T> word(const std::vector<Word<T>>& list, const std::string& text, std::string_view what) {
    if (auto value = lookUp(list, text)) return *value;
    return Failure{kUsageError, "unknown-word", "'" + text + "' is not " + std::string(what)};
}

// The season: given, or from the travel date as the travel-date screen reads
// it, or from the date that screen preselects (today, in a listed year).
std::variant<Failure, Resolved> resolveSeason(const Options& o, Resolved r) {
    if (!o.season.empty()) {
        auto season = word(seasonWords(), o.season, "a season");
        if (auto* f = std::get_if<Failure>(&season)) return *f;
        r.request.season = std::get<mkd::Season>(season);
        return r;
    }
    mkd::Date date = mkd::defaultTravelDate(today());
    if (!o.date.empty()) {
        const auto written = parseDate(o.date);
        if (!written) return Failure{kUsageError, "bad-date", "'" + o.date + "' is not a date YYYY-MM-DD"};
        if (written->year < mkd::kFirstListedYear || written->year > mkd::kLastListedYear || written->month < 1 ||
            written->month > 12 || written->day < 1 || written->day > 31)
            return Failure{kRefused, "date-not-listed", std::string(kDateNotListed)};
        date = mkd::rollOver(written->year, written->month, written->day);
    }
    r.date = date;
    r.request.season = mkd::seasonOf(date);
    return r;
}

std::variant<Failure, Resolved> resolve(const Options& o, bool withStations, bool dated) {
    Resolved r;
    auto kind = word(kindWords(), o.kind, "a kind of enquiry");
    if (auto* f = std::get_if<Failure>(&kind)) return *f;
    r.request.kind = std::get<Enquiry>(kind);
    auto passenger = word(passengerWords(), o.passenger, "a passenger");
    if (auto* f = std::get_if<Failure>(&passenger)) return *f;
    r.request.passenger = std::get<mkd::Passenger>(passenger);
    auto trip = word(tripWords(), o.trip, "a trip");
    if (auto* f = std::get_if<Failure>(&trip)) return *f;
    r.request.trip = o.roundTrip ? mkd::Trip::RoundTrip : std::get<mkd::Trip>(trip);
    r.request.routing = o.change ? mkd::Routing::ChangeAtMatsuyama : mkd::Routing::Through;

    if (withStations) {
        auto from = station(StationList::All, o.from);
        if (auto* f = std::get_if<Failure>(&from)) return *f;
        auto to = station(StationList::All, o.to);
        if (auto* f = std::get_if<Failure>(&to)) return *f;
        r.request.departure = std::get<int>(from);
        r.request.arrival = std::get<int>(to);
    }
    if (o.section.size() == 2) {
        // Stops of the enquiry's section screen; without one, the core refuses.
        const auto list = mkd::enquiryShape(r.request.kind).section;
        mkd::Section s;
        if (list) {
            auto a = station(*list, o.section[0]);
            if (auto* f = std::get_if<Failure>(&a)) return *f;
            auto b = station(*list, o.section[1]);
            if (auto* f = std::get_if<Failure>(&b)) return *f;
            s = {std::get<int>(a), std::get<int>(b)};
        }
        r.request.section = s;
    }
    // Only the dated enquiries read the travel date (compare asks them all).
    if (!dated && !mkd::enquiryShape(r.request.kind).dated) return r;
    return resolveSeason(o, r);
}

// Whole yen as a JSON integer, anything else as it is.
ordered_json yen(double amount) {
    if (amount == std::floor(amount) && std::fabs(amount) < 9.0e15) return static_cast<std::int64_t>(amount);
    return amount;
}

ordered_json money(double amount) { return {{"yen", yen(amount)}, {"text", mkd::formatMoney(amount)}}; }

ordered_json stationJson(StationList list, int index) {
    if (!mkd::isValidIndex(list, index)) return nullptr;
    return {{"index", index},
            {"name", std::string(mkd::stationName(list, index))},
            {"display", std::string(mkd::displayName(list, index))}};
}

ordered_json requestJson(const Resolved& r) {
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
        j["date"] = r.date ? ordered_json(isoDate(*r.date)) : ordered_json(nullptr);
        j["season"] = std::string(nameOf(seasonWords(), q.season));
    }
    return j;
}

ordered_json outcomeJson(const Resolved& r, const EnquiryOutcome& out) {
    ordered_json j = requestJson(r);
    if (!out.ok()) {
        j["refused"] = {{"reason", std::string(refusalName(out.refusal))}, {"message", out.message}};
        return j;
    }
    const EnquiryAnswer& a = *out.answer;
    j["screen"] = a.charged ? "frmKekkaT" : "frmKekka";
    j["bill"] = std::string(a.bill);
    j["fare"] = money(a.fare);
    if (a.charged) {
        ordered_json charge;
        charge["caption"] = std::string(a.chargeCaption);
        if (a.sectionList)
            charge["section"] = {{"from", stationJson(*a.sectionList, a.section.from)},
                                 {"to", stationJson(*a.sectionList, a.section.to)}};
        else
            charge["section"] = nullptr;
        charge["yen"] = yen(a.charge);
        charge["text"] = mkd::formatMoney(a.charge);
        j["charge"] = charge;
    }
    j["total"] = money(a.total);
    return j;
}

std::string failureJson(const Failure& f) {
    ordered_json j;
    j["refused"] = {{"reason", f.reason}, {"message", f.message}};
    return j.dump(2);
}

int fail(const Failure& f, bool json) {
    if (json) std::cout << failureJson(f) << '\n';
    std::cerr << "mkd-fare: " << f.message << '\n';
    return f.status;
}

int statusOf(const EnquiryOutcome& out) {
    if (out.ok()) return kAnswered;
    return out.refusal == mkd::Refusal::TableUnreadable ? kTableError : kRefused;
}

// What the result screen shows, top to bottom.
void printAnswer(const Resolved& r, const EnquiryAnswer& a) {
    const std::string journey = std::string(a.departure) + " ⇒ " + std::string(a.arrival);
    if (!a.charged) {
        std::cout << "検索結果\n" << journey << '\n' << a.bill << ' ' << mkd::formatMoney(a.fare) << '\n';
        return;
    }
    std::cout << "検索結果 " << a.bill << '\n';
    if (r.date && mkd::enquiryShape(r.request.kind).dated) std::cout << "乗車日 " << isoDate(*r.date) << '\n';
    std::cout << "運賃 " << journey << ' ' << mkd::formatMoney(a.fare) << '\n';
    std::cout << a.chargeCaption << ' ';
    if (a.sectionList) std::cout << a.sectionFrom << " ⇒ " << a.sectionTo << ' ';
    std::cout << mkd::formatMoney(a.charge) << '\n';
    std::cout << "合計 " << mkd::formatMoney(a.total) << '\n';
}

// How check --json names where the tables were found.
std::string_view sourceName(mkd::TableSource source) {
    switch (source) {
    case mkd::TableSource::BesideProgram: return "beside-program";
    case mkd::TableSource::UserData: return "user-data";
    case mkd::TableSource::Installed: return "installed";
    case mkd::TableSource::Given: return "given";
    case mkd::TableSource::NotFound: return "not-found";
    }
    return {};
}

}  // namespace

int runEnquiry(const Options& o) {
    const auto resolved = resolve(o, true, false);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json);
    const Resolved& r = std::get<Resolved>(resolved);

    mkd::mdlKeisan tables(o.where);
    mkd::Enquirer enquirer(tables);
    const EnquiryOutcome out = enquirer.ask(r.request);
    if (o.json) {
        std::cout << outcomeJson(r, out).dump(2) << '\n';
    } else if (out.ok()) {
        printAnswer(r, *out.answer);
    }
    if (!out.ok()) std::cerr << "mkd-fare: " << out.message << '\n';
    return statusOf(out);
}

int runCompare(const Options& o) {
    Options base = o;
    base.kind = "local";
    base.trip = "one-way";
    base.roundTrip = false;
    base.change = false;
    base.section.clear();
    const auto resolved = resolve(base, true, true);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, o.json);
    const Resolved& r = std::get<Resolved>(resolved);

    mkd::mdlKeisan tables(o.where);
    mkd::Enquirer enquirer(tables);

    struct Row {
        std::string label;
        Enquiry kind;
        mkd::Routing routing;
        EnquiryOutcome oneWay;
        EnquiryOutcome roundTrip;
    };
    std::vector<Row> rows;
    for (Enquiry kind : mkd::kEnquiries) {
        for (mkd::Routing routing : {mkd::Routing::Through, mkd::Routing::ChangeAtMatsuyama}) {
            EnquiryRequest q = r.request;
            q.kind = kind;
            q.routing = routing;
            q.trip = mkd::Trip::OneWay;
            std::string label(kindLabel(kind));
            if (mkd::enquiryShape(kind).dated) label += " (" + std::string(seasonLabel(r.request.season)) + ")";
            Row row{label, kind, routing, enquirer.ask(q), {}};
            if (!row.oneWay.ok() && row.oneWay.refusal == mkd::Refusal::TableUnreadable) {
                std::cerr << "mkd-fare: " << row.oneWay.message << '\n';
                return kTableError;
            }
            if (routing == mkd::Routing::ChangeAtMatsuyama) {
                // Only where the screens show the choice.
                if (!row.oneWay.ok() || !rows.back().oneWay.ok()) continue;
                rows.back().label += " 直通";
                row.label += " 松山乗換";
            }
            q.trip = mkd::Trip::RoundTrip;
            row.roundTrip = enquirer.ask(q);
            rows.push_back(std::move(row));
        }
    }
    bool anyAnswer = false;
    for (const Row& row : rows) anyAnswer = anyAnswer || row.oneWay.ok();

    if (o.json) {
        ordered_json j;
        j["departure"] = stationJson(StationList::All, r.request.departure);
        j["arrival"] = stationJson(StationList::All, r.request.arrival);
        j["passenger"] = std::string(nameOf(passengerWords(), r.request.passenger));
        j["date"] = r.date ? ordered_json(isoDate(*r.date)) : ordered_json(nullptr);
        j["season"] = std::string(nameOf(seasonWords(), r.request.season));
        ordered_json list = ordered_json::array();
        for (const Row& row : rows) {
            ordered_json e;
            e["kind"] = std::string(nameOf(kindWords(), row.kind));
            e["routing"] = row.routing == mkd::Routing::Through ? "through" : "change";
            e["label"] = row.label;
            if (row.oneWay.ok()) {
                e["caption"] = std::string(row.oneWay.answer->chargeCaption);
                e["one_way"] = money(row.oneWay.answer->total);
                e["round_trip"] = money(row.roundTrip.answer->total);
            } else {
                e["refused"] = {{"reason", std::string(refusalName(row.oneWay.refusal))},
                                {"message", row.oneWay.message}};
            }
            list.push_back(e);
        }
        j["options"] = list;
        std::cout << j.dump(2) << '\n';
        return anyAnswer ? kAnswered : kRefused;
    }

    int labelWidth = 0;
    for (const Row& row : rows) labelWidth = std::max(labelWidth, displayWidth(row.label));
    std::cout << mkd::displayName(StationList::All, r.request.departure) << " ⇒ "
              << mkd::displayName(StationList::All, r.request.arrival) << "  " << passengerLabel(r.request.passenger);
    if (r.date) std::cout << "  乗車日 " << isoDate(*r.date);
    std::cout << "  (" << seasonLabel(r.request.season) << ")\n";
    constexpr int kAmountWidth = 12;
    std::cout << padRight("", labelWidth) << padLeft("片道", kAmountWidth) << padLeft("往復", kAmountWidth) << '\n';
    for (const Row& row : rows) {
        std::cout << padRight(row.label, labelWidth);
        if (row.oneWay.ok())
            std::cout << padLeft(mkd::formatMoney(row.oneWay.answer->total), kAmountWidth)
                      << padLeft(mkd::formatMoney(row.roundTrip.answer->total), kAmountWidth);
        else
            std::cout << "  " << row.oneWay.message;
        std::cout << '\n';
    }
    return anyAnswer ? kAnswered : kRefused;
}

int runChart(const Options& o) {
    const auto resolved = resolve(o, false, false);
    if (auto* f = std::get_if<Failure>(&resolved)) return fail(*f, false);
    const Resolved& r = std::get<Resolved>(resolved);
    if (o.price != "total" && o.price != "fare" && o.price != "charge")
        return fail({kUsageError, "unknown-word", "--price takes total, fare or charge"}, false);
    if (o.price == "charge" && r.request.kind == Enquiry::Local)
        return fail({kUsageError, "no-charge", "the local train has no charge: use --price fare or total"}, false);

    mkd::mdlKeisan tables(o.where);
    mkd::Enquirer enquirer(tables);
    std::ostringstream csv;
    csv << "乗車駅\\降車駅";
    for (int a = 0; a < mkd::kAllStations; ++a) csv << ',' << mkd::stationName(StationList::All, a);
    csv << '\n';
    for (int d = 0; d < mkd::kAllStations; ++d) {
        csv << mkd::stationName(StationList::All, d);
        for (int a = 0; a < mkd::kAllStations; ++a) {
            EnquiryRequest q = r.request;
            q.departure = d;
            q.arrival = a;
            const EnquiryOutcome out = enquirer.ask(q);
            if (!out.ok() && out.refusal == mkd::Refusal::TableUnreadable) {
                std::cerr << "mkd-fare: " << out.message << '\n';
                return kTableError;
            }
            csv << ',';
            if (!out.ok()) continue;
            const double amount = o.price == "fare" ? out.answer->fare
                                  : o.price == "charge" ? out.answer->charge
                                                        : out.answer->total;
            csv << yen(amount).dump();
        }
        csv << '\n';
    }
    if (o.output.empty() || o.output == "-") {
        std::cout << csv.str();
    } else {
        std::ofstream file(o.output, std::ios::binary | std::ios::trunc);
        file << csv.str();
        if (!file.flush()) {
            std::cerr << "mkd-fare: cannot write " << o.output << '\n';
            return kUsageError;
        }
    }
    return kAnswered;
}

int runCheck(const std::string& given, const mkd::Locations& located, bool json) {
    namespace fs = std::filesystem;
    std::string folder = given.empty() ? located.tableFolder : given;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        std::cerr << "mkd-fare: no such folder: " << folder << '\n';
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
    const int status = mkd::checkStatus(problems);
    int fatal = 0;
    for (const auto& p : problems) fatal += p.severity == mkd::Severity::Fatal ? 1 : 0;
    const int warnings = static_cast<int>(problems.size()) - fatal;

    if (json) {
        ordered_json list = ordered_json::array();
        for (const auto& p : problems) {
            ordered_json e;
            e["severity"] = p.severity == mkd::Severity::Fatal ? "fatal" : "warning";
            e["file"] = p.file;
            e["line"] = p.line;
            e["column"] = p.column;
            e["record"] = p.record;
            e["field"] = p.field;
            e["message"] = p.message;
            e["text"] = mkd::formatProblem(p);
            list.push_back(e);
        }
        ordered_json j;
        j["folder"] = folder;
        j["tables_source"] = sourceName(where.source);
        j["initial_selection_file"] = where.selectionFile;
        j["status"] = status;
        j["fatal"] = fatal;
        j["warnings"] = warnings;
        j["problems"] = list;
        std::cout << j.dump(2) << '\n';
        return status;
    }
    std::cout << mkd::describeLocations(where, mkd::Lang::English) << '\n';
    for (const auto& p : problems) std::cout << mkd::formatProblem(p) << '\n';
    if (problems.empty())
        std::cout << folder << ": no problems\n";
    else
        std::cout << folder << ": " << fatal << " fatal, " << warnings << " warning" << (warnings == 1 ? "" : "s")
                  << '\n';
    return status;
}

}  // namespace fare
