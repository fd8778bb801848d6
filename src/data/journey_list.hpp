// The journey list (交通費明細): journeys the user priced and kept for an
// expense claim, each with the amount it was priced at and a fingerprint of
// the tables it was priced with, saved in $XDG_DATA_HOME/mkd/journeys.tsv.
//
// The file is text, one journey a line after a heading line, fields apart by
// tabs; a tab, line end or backslash in the note is written \t, \n, \\. A
// file that cannot be read is never overwritten: it is renamed aside
// (journeys.tsv.damaged-1, -2, …) and the user is told why.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/locations.hpp"
#include "data/table_store.hpp"
#include "pricing/date.hpp"
#include "pricing/enquiry.hpp"

namespace mkd {

struct JourneyRow {
    std::optional<Date> date;  // the travel date; none when the enquiry had none
    int departure = 0;  // all-station indices
    int arrival = 0;
    Enquiry kind = Enquiry::Local;
    Passenger passenger = Passenger::Adult;
    Trip trip = Trip::OneWay;
    double amount = 0;  // the total as priced then
    std::string tables;  // tablesFingerprint() of the tables it was priced with
    std::string note;  // the user's own words: the purpose of the journey
    bool operator==(const JourneyRow&) const = default;
};

// The journey of an answer shown on a result screen, priced with `tables`.
JourneyRow journeyOf(const EnquiryInProgress& enquiry, std::string tables);

class JourneyList {
public:
    std::vector<JourneyRow> rows;

    // The rows whose travel date falls in `month` ("2007-08"), or all of
    // them for ""; rows without a date only for "".
    std::vector<int> rowsOf(std::string_view month) const;
    double total(std::string_view month = {}) const;
    // The months of the rows' dates, "2007-08", in order, each once.
    std::vector<std::string> months() const;
    // Moves row `from` by `by` places; false when that leaves the list.
    bool move(int from, int by);
};

// "2007-08-12"; "" for none.
std::string dateText(const std::optional<Date>& date);
// Reads "2007-08-12" (a real calendar date); none for anything else.
std::optional<Date> readDate(std::string_view text);

// A fingerprint of the sixteen table files in `tableFolder`: a hash of their
// names and bytes (a missing file counts as missing). Two folders with the
// same files have the same fingerprint.
std::string tablesFingerprint(const std::string& tableFolder);

// $XDG_DATA_HOME/mkd/journeys.tsv (a relative XDG_DATA_HOME is ignored, as
// the base-directory rules say); "" without a home folder.
std::string journeyListPath(const UserFolders& user);

std::string formatJourneyList(const JourneyList& list);

// Why a list file cannot be read.
enum class JourneyDamage { None, FirstLine, FieldCount, Value };
struct JourneyRead {
    JourneyList list;
    JourneyDamage damage = JourneyDamage::None;
    int line = 0;  // 1-based, of the damage
    int fields = 0;  // FieldCount: how many there were
    std::string field;  // Value: which field ("date", "amount", …)
    std::string value;  // Value: its text
    bool ok() const { return damage == JourneyDamage::None; }
};
JourneyRead readJourneyList(std::string_view text);

// A list loaded from its file.
struct JourneyLoad {
    JourneyRead read;  // the list (empty when the file is missing or damaged)
    int error = 0;  // errno when the file exists but cannot be read
    // A damaged file: the name it was renamed to (kept for the user); ""
    // when it could not be renamed, which leaves it where it was and stops
    // saves over it (see JourneyStore).
    std::string keptAs;
};
JourneyLoad loadJourneyList(const std::string& path);

// The list's file and its rows, saved after every change.
class JourneyStore {
public:
    explicit JourneyStore(std::string path) : path_(std::move(path)) {}
    // Loads the file; what was wrong with it, if anything.
    const JourneyLoad& load();
    // Saves the rows; a file that could be neither read nor kept aside is
    // never overwritten.
    SaveResult save() const;

    const std::string& path() const { return path_; }
    JourneyList list;

private:
    std::string path_;
    JourneyLoad loaded_;
    bool keepOff_ = false;  // the file on disk must not be replaced
};

// An enquiry as the start screen's menu "記録" offers it again: the pair,
// the kind, the passenger and the trip, and what else was asked: the travel
// date, 松山乗換, a section chosen other than the preset
// ("reserved,0,67,adult,one-way,date=2007-10-10,routing=change,section=0-9";
// the last three only where they were asked).
struct RecentJourney {
    Enquiry kind = Enquiry::Local;
    int departure = 0;
    int arrival = 0;
    Passenger passenger = Passenger::Adult;
    Trip trip = Trip::OneWay;
    std::optional<Date> date;
    Routing routing = Routing::Through;
    std::optional<Section> section;
    bool operator==(const RecentJourney&) const = default;
};
inline constexpr std::size_t kRecentJourneys = 10;
RecentJourney recentOf(const EnquiryRequest& request, std::optional<Date> date = std::nullopt);
std::string recentText(const RecentJourney& journey);
std::optional<RecentJourney> readRecent(std::string_view text);
// Puts `journey` first, once, keeping at most kRecentJourneys.
void remember(std::vector<RecentJourney>& recent, const RecentJourney& journey);

// The ids of kinds, passengers and trips in the file and in mkd-fare's JSON.
std::string_view passengerId(Passenger passenger);  // "adult", "child", "student"
std::string_view tripId(Trip trip);  // "one-way", "round-trip"

}  // namespace mkd
