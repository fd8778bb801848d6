#include "records/journey_list.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>

#include "data/careful_save.hpp"
#include "data/shared_file.hpp"
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

std::optional<Passenger> passengerOfId(std::string_view id) {
    for (Passenger p : {Passenger::Adult, Passenger::Child, Passenger::Student})
        if (passengerId(p) == id) return p;
    return std::nullopt;
}

std::optional<Trip> tripOfId(std::string_view id) {
    for (Trip t : {Trip::OneWay, Trip::RoundTrip})
        if (tripId(t) == id) return t;
    return std::nullopt;
}

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

int JourneyList::find(const JourneyRow& row, int near) const {
    const int n = static_cast<int>(rows.size());
    for (int distance = 0; distance < n + std::abs(near) + 1; ++distance)
        for (int at : {near - distance, near + distance})
            if (at >= 0 && at < n && rows[static_cast<std::size_t>(at)] == row) return at;
    return -1;
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

namespace {

// One line of the file as a row, or why it is none.
std::optional<JourneyRow> readRow(std::string_view line, JourneyProblem& problem) {
    const std::vector<std::string_view> f = split(line, '\t');
    auto bad = [&](const char* field, std::string_view value) {
        problem.damage = JourneyDamage::Value;
        problem.field = field;
        problem.value = std::string(value);
        return std::nullopt;
    };
    if (f.size() != kFields) {
        problem.damage = JourneyDamage::FieldCount;
        problem.fields = static_cast<int>(f.size());
        return std::nullopt;
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
    const auto passenger = passengerOfId(f[4]);
    if (!passenger) return bad("passenger", f[4]);
    j.passenger = *passenger;
    const auto trip = tripOfId(f[5]);
    if (!trip) return bad("trip", f[5]);
    j.trip = *trip;
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
    return j;
}

}  // namespace

JourneyRead readJourneyList(std::string_view text) {
    JourneyRead r;
    // What a text editor may add: a byte-order mark, CR LF line ends, empty
    // lines. The program's own lines never end in CR (it writes \r).
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines = split(text, '\n');
    for (std::string_view& line : lines)
        if (line.ends_with('\r')) line.remove_suffix(1);
    if (lines.empty() || lines.front() != kHeading) {
        r.problems.emplace_back().damage = JourneyDamage::FirstLine;
        r.problems.back().line = 1;
        return r;
    }
    for (std::size_t n = 1; n < lines.size(); ++n) {
        if (lines[n].empty()) continue;
        JourneyProblem problem;
        problem.line = static_cast<int>(n) + 1;
        if (auto row = readRow(lines[n], problem))
            r.list.rows.push_back(std::move(*row));
        else
            r.problems.push_back(std::move(problem));
    }
    return r;
}

namespace {

// The list in the file at `path`, the folder's lock held. A file with lines
// that cannot be read, or too large to read, is kept aside under the first
// free name and the rows that could be read take its place; one that cannot
// be read at all is left alone.
JourneyLoad loadJourneyList(const std::string& path, std::size_t maxBytes) {
    JourneyLoad load;
    std::string bytes;
    const LoadResult read = readFileBytes(path, bytes, maxBytes);
    if (read.error == LoadError::TooLarge) {
        load.read.problems.emplace_back().damage = JourneyDamage::TooLarge;
    } else if (!read.ok()) {
        if (read.systemError != ENOENT) load.error = read.systemError;
        return load;
    } else {
        load.read = readJourneyList(bytes);
        if (load.read.ok()) return load;
    }
    load.keptAs = setAside(path, kDamagedInfix, load.asideError);
    return load;
}

}  // namespace

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
    const auto passenger = passengerOfId(f[3]);
    const auto trip = tripOfId(f[4]);
    if (!passenger || !trip) return std::nullopt;
    j.passenger = *passenger;
    j.trip = *trip;
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
        ++loads_;
        loaded_ = {};
        loaded_.error = ENOENT;
        list = {};
        keepOff_ = true;
        return loaded_;
    }
    const FolderLock lock(path_);
    loadLocked();
    return loaded_;
}

void JourneyStore::loadLocked() {
    ++loads_;
    state_ = FileState::of(path_);
    loaded_ = loadJourneyList(path_, maxBytes_);
    list = loaded_.read.list;
    keepOff_ = loaded_.error != 0 || (!loaded_.read.ok() && loaded_.keptAs.empty());
    if (loaded_.keptAs.empty()) return;
    // The readable rows in place of the file set aside; should that fail,
    // they are saved with the next change. A file of which nothing could be
    // read leaves no file until then.
    if (!loaded_.read.whole()) saveLocked(list);
    state_ = FileState::of(path_);
}

bool JourneyStore::reload() {
    if (path_.empty() || FileState::of(path_) == state_) return false;
    const FolderLock lock(path_);
    loadLocked();
    return true;
}

SaveResult JourneyStore::saveLocked(const JourneyList& rows) {
    if (keepOff_ || path_.empty()) return {SaveProblem::System, loaded_.error ? loaded_.error : kKeptAsItIs, path_};
    const std::string text = formatJourneyList(rows);
    if (text.size() > maxBytes_) return {SaveProblem::System, kFull, path_};
    return saveCarefully(path_, text, {.makeFolder = true});
}

SaveResult JourneyStore::change(const std::function<bool(JourneyList&)>& edit) {
    if (path_.empty()) return {SaveProblem::System, ENOENT, path_};
    const FolderLock lock(path_, true);
    if (!lock.held()) return {SaveProblem::System, lock.error(), path_};
    // Another program's save since ours: its rows are the ones to change.
    // A file that could not be read is tried again.
    if (!(FileState::of(path_) == state_) || loaded_.error != 0) loadLocked();
    JourneyList changed = list;
    if (!edit(changed)) return {};
    SaveResult saved = saveLocked(changed);
    if (!saved.ok()) return saved;
    list = std::move(changed);
    state_ = FileState::of(path_);
    return saved;
}

SaveResult JourneyStore::save() {
    if (path_.empty()) return {SaveProblem::System, ENOENT, path_};
    const FolderLock lock(path_, true);
    if (!lock.held()) return {SaveProblem::System, lock.error(), path_};
    SaveResult saved = saveLocked(list);
    if (saved.ok()) state_ = FileState::of(path_);
    return saved;
}

}  // namespace mkd
