#include "data/journey_list.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>

#include "data/careful_save.hpp"
#include "data/table_catalogue.hpp"

namespace mkd {

namespace {

constexpr std::string_view kHeading = "# mkd journeys 1";
constexpr std::string_view kFileName = "journeys.tsv";
constexpr std::string_view kDamagedInfix = ".damaged-";
constexpr int kFields = 9;

std::string escapeNote(std::string_view note) {
    std::string out;
    for (char c : note) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescapeNote(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::optional<int> readInt(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

std::vector<std::string_view> split(std::string_view line, char separator) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto at = line.find(separator);
        out.push_back(line.substr(0, at));
        if (at == std::string_view::npos) return out;
        line.remove_prefix(at + 1);
    }
}

// Amounts are whole yen in the tables; a saved amount keeps what it was.
std::string amountText(double amount) {
    char buffer[64];
    if (amount == std::floor(amount) && std::fabs(amount) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", amount);
    else
        std::snprintf(buffer, sizeof buffer, "%.17g", amount);
    return buffer;
}

}  // namespace

std::string_view passengerId(Passenger passenger) {
    switch (passenger) {
        case Passenger::Child:
            return "child";
        case Passenger::Student:
            return "student";
        case Passenger::Adult:
            break;
    }
    return "adult";
}

std::string_view tripId(Trip trip) { return trip == Trip::RoundTrip ? "round-trip" : "one-way"; }

JourneyRow journeyOf(const EnquiryInProgress& enquiry, std::string tables) {
    JourneyRow j;
    if (enquiry.date) j.date = enquiry.date->date;
    j.kind = enquiry.request.kind;
    j.passenger = enquiry.request.passenger;
    j.trip = enquiry.request.trip;
    j.departure = enquiry.answer ? enquiry.answer->departure : enquiry.request.departure;
    j.arrival = enquiry.answer ? enquiry.answer->arrival : enquiry.request.arrival;
    j.amount = enquiry.answer ? enquiry.answer->total : 0;
    j.tables = std::move(tables);
    return j;
}

std::vector<int> JourneyList::rowsOf(std::string_view month) const {
    std::vector<int> out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (month.empty() || dateText(rows[i].date).starts_with(month)) out.push_back(static_cast<int>(i));
    return out;
}

double JourneyList::total(std::string_view month) const {
    double sum = 0;
    for (int i : rowsOf(month)) sum += rows[static_cast<std::size_t>(i)].amount;
    return sum;
}

std::vector<std::string> JourneyList::months() const {
    std::set<std::string> found;
    for (const JourneyRow& j : rows)
        if (j.date) found.insert(dateText(j.date).substr(0, 7));
    return {found.begin(), found.end()};
}

bool JourneyList::move(int from, int by) {
    const int to = from + by;
    const int n = static_cast<int>(rows.size());
    if (from < 0 || from >= n || to < 0 || to >= n) return false;
    const auto f = rows.begin() + from;
    if (to > from)
        std::rotate(f, f + 1, rows.begin() + to + 1);
    else
        std::rotate(rows.begin() + to, f, f + 1);
    return true;
}

std::string dateText(const std::optional<Date>& date) {
    if (!date) return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date->year, date->month, date->day);
    return buffer;
}

std::optional<Date> readDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto y = readInt(text.substr(0, 4), 1, 9999);
    const auto m = readInt(text.substr(5, 2), 1, 12);
    const auto d = readInt(text.substr(8, 2), 1, 31);
    if (!y || !m || !d || *d > daysIn(*y, *m)) return std::nullopt;
    return Date{*y, *m, *d};
}

std::string tablesFingerprint(const std::string& tableFolder) {
    // FNV-1a, 64 bits: enough to tell one set of tables from another.
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](std::string_view bytes) {
        for (unsigned char c : bytes) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    };
    for (const TableFileInfo& info : tableFiles()) {
        add(info.name);
        std::string bytes;
        if (readFileBytes(tableFolder + "/" + std::string(info.name), bytes).ok()) {
            add(std::to_string(bytes.size()));
            add(":");
            add(bytes);
        } else {
            add("missing");
        }
    }
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

std::string journeyListPath(const UserFolders& user) {
    std::string base;
    if (!user.dataHome.empty() && user.dataHome.front() == '/')
        base = user.dataHome;
    else if (!user.home.empty())
        base = user.home + "/.local/share";
    else
        return {};
    return base + "/mkd/" + std::string(kFileName);
}

std::string formatJourneyList(const JourneyList& list) {
    std::string out(kHeading);
    out += '\n';
    for (const JourneyRow& j : list.rows) {
        out += j.date ? dateText(j.date) : "-";
        out += '\t' + std::to_string(j.departure) + '\t' + std::to_string(j.arrival) + '\t';
        out += enquiryShape(j.kind).id;
        out += '\t';
        out += passengerId(j.passenger);
        out += '\t';
        out += tripId(j.trip);
        out += '\t' + amountText(j.amount) + '\t' + (j.tables.empty() ? "-" : j.tables) + '\t' + escapeNote(j.note);
        out += '\n';
    }
    return out;
}

JourneyRead readJourneyList(std::string_view text) {
    JourneyRead r;
    std::vector<std::string_view> lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty() || lines.front() != kHeading) {
        r.damage = JourneyDamage::FirstLine;
        r.line = 1;
        return r;
    }
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const int lineNumber = static_cast<int>(n) + 1;
        const std::vector<std::string_view> f = split(lines[n], '\t');
        auto bad = [&](const char* field, std::string_view value) {
            r.damage = JourneyDamage::Value;
            r.line = lineNumber;
            r.field = field;
            r.value = std::string(value);
            r.list.rows.clear();
            return r;
        };
        if (f.size() != kFields) {
            r.damage = JourneyDamage::FieldCount;
            r.line = lineNumber;
            r.fields = static_cast<int>(f.size());
            r.list.rows.clear();
            return r;
        }
        JourneyRow j;
        if (f[0] != "-") {
            j.date = readDate(f[0]);
            if (!j.date) return bad("date", f[0]);
        }
        const auto d = readInt(f[1], 0, kAllStations - 1);
        const auto a = readInt(f[2], 0, kAllStations - 1);
        if (!d) return bad("departure", f[1]);
        if (!a) return bad("arrival", f[2]);
        j.departure = *d;
        j.arrival = *a;
        const auto kind =
            std::find_if(kEnquiries.begin(), kEnquiries.end(), [&](Enquiry k) { return enquiryShape(k).id == f[3]; });
        if (kind == kEnquiries.end()) return bad("kind", f[3]);
        j.kind = *kind;
        if (f[4] == "adult")
            j.passenger = Passenger::Adult;
        else if (f[4] == "child")
            j.passenger = Passenger::Child;
        else if (f[4] == "student")
            j.passenger = Passenger::Student;
        else
            return bad("passenger", f[4]);
        if (f[5] == "one-way")
            j.trip = Trip::OneWay;
        else if (f[5] == "round-trip")
            j.trip = Trip::RoundTrip;
        else
            return bad("trip", f[5]);
        const std::string amount(f[6]);
        char* end = nullptr;
        errno = 0;
        j.amount = std::strtod(amount.c_str(), &end);
        if (amount.empty() || end != amount.c_str() + amount.size() || errno != 0 || !std::isfinite(j.amount))
            return bad("amount", f[6]);
        if (f[7] != "-") j.tables = std::string(f[7]);
        const auto note = unescapeNote(f[8]);
        if (!note) return bad("note", f[8]);
        j.note = *note;
        r.list.rows.push_back(std::move(j));
    }
    return r;
}

JourneyLoad loadJourneyList(const std::string& path) {
    JourneyLoad load;
    std::string bytes;
    const LoadResult read = readFileBytes(path, bytes);
    if (!read.ok()) {
        if (read.error == LoadError::TooLarge)
            load.error = EFBIG;
        else if (read.systemError != ENOENT)
            load.error = read.systemError;
        return load;
    }
    load.read = readJourneyList(bytes);
    if (load.read.ok()) return load;
    // Kept aside under the first free name, never overwritten.
    std::string target = path;
    followLinks(target);
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = target + std::string(kDamagedInfix) + std::to_string(n);
        struct stat info {};
        if (::lstat(aside.c_str(), &info) == 0 || errno != ENOENT) continue;
        if (std::rename(target.c_str(), aside.c_str()) == 0) load.keptAs = aside;
        break;
    }
    return load;
}

RecentJourney recentOf(const EnquiryRequest& request, std::optional<Date> date) {
    return {request.kind, request.departure, request.arrival, request.passenger, request.trip,
            date,         request.routing,   request.section};
}

std::string recentText(const RecentJourney& j) {
    std::string text = std::string(enquiryShape(j.kind).id) + "," + std::to_string(j.departure) + "," +
                       std::to_string(j.arrival) + "," + std::string(passengerId(j.passenger)) + "," +
                       std::string(tripId(j.trip));
    if (j.date) text += ",date=" + dateText(j.date);
    if (j.routing == Routing::ChangeAtMatsuyama) text += ",routing=change";
    if (j.section) text += ",section=" + std::to_string(j.section->from) + "-" + std::to_string(j.section->to);
    return text;
}

namespace {

// One "name=value" field after the first five; false for one not known.
bool readRecentField(std::string_view field, RecentJourney& j) {
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = field.substr(0, equals);
    const std::string_view value = field.substr(equals + 1);
    if (name == "date") {
        j.date = readDate(value);
        return j.date.has_value();
    }
    if (name == "routing") {
        j.routing = Routing::ChangeAtMatsuyama;
        return value == "change";
    }
    if (name == "section") {
        const std::size_t dash = value.find('-');
        if (dash == std::string_view::npos) return false;
        const auto from = readInt(value.substr(0, dash), 0, kAllStations - 1);
        const auto to = readInt(value.substr(dash + 1), 0, kAllStations - 1);
        if (!from || !to) return false;
        j.section = Section{*from, *to};
        return true;
    }
    return false;
}

}  // namespace

std::optional<RecentJourney> readRecent(std::string_view text) {
    const std::vector<std::string_view> f = split(text, ',');
    if (f.size() < 5) return std::nullopt;
    RecentJourney j;
    const auto kind =
        std::find_if(kEnquiries.begin(), kEnquiries.end(), [&](Enquiry k) { return enquiryShape(k).id == f[0]; });
    const auto d = readInt(f[1], 0, kAllStations - 1);
    const auto a = readInt(f[2], 0, kAllStations - 1);
    if (kind == kEnquiries.end() || !d || !a) return std::nullopt;
    j.kind = *kind;
    j.departure = *d;
    j.arrival = *a;
    if (f[3] == "adult")
        j.passenger = Passenger::Adult;
    else if (f[3] == "child")
        j.passenger = Passenger::Child;
    else if (f[3] == "student")
        j.passenger = Passenger::Student;
    else
        return std::nullopt;
    if (f[4] != tripId(Trip::OneWay) && f[4] != tripId(Trip::RoundTrip)) return std::nullopt;
    j.trip = f[4] == tripId(Trip::RoundTrip) ? Trip::RoundTrip : Trip::OneWay;
    for (std::size_t i = 5; i < f.size(); ++i)
        if (!readRecentField(f[i], j)) return std::nullopt;
    return j;
}

void remember(std::vector<RecentJourney>& recent, const RecentJourney& journey) {
    std::erase(recent, journey);
    recent.insert(recent.begin(), journey);
    if (recent.size() > kRecentJourneys) recent.resize(kRecentJourneys);
}

const JourneyLoad& JourneyStore::load() {
    // No home folder: nowhere to keep the list; it lives as long as the run.
    if (path_.empty()) {
        loaded_ = {};
        loaded_.error = ENOENT;
        list = {};
        keepOff_ = true;
        return loaded_;
    }
    loaded_ = loadJourneyList(path_);
    list = loaded_.read.list;
    keepOff_ = loaded_.error != 0 || (!loaded_.read.ok() && loaded_.keptAs.empty());
    return loaded_;
}

SaveResult JourneyStore::save() const {
    if (keepOff_ || path_.empty()) return {SaveProblem::System, loaded_.error ? loaded_.error : EEXIST, path_};
    return saveCarefully(path_, formatJourneyList(list), {.makeFolder = true});
}

}  // namespace mkd
