// The journey list (交通費明細): journeys the user priced and kept for an
// expense claim, each with the amount it was priced at and a fingerprint of
// the tables it was priced with, saved in $XDG_DATA_HOME/mkd/journeys.tsv.
//
// The file is text, one journey a line after a heading line, fields apart by
// tabs; a tab, line end or backslash in the note is written \t, \n, \\. A
// file a text editor saved with CR LF line ends or a byte-order mark reads
// the same, and is written back in this form. A file that cannot be read,
// in whole or in some of its lines, is never overwritten: it is renamed
// aside (journeys.tsv.damaged-1, -2, …), the user is told which lines and
// why, and the rows that could be read are kept.
//
// Two programs may change the list at once (two mkd, mkd and mkd-fare):
// every change is made to the file's current content under a lock, so
// neither loses the other's rows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/careful_save.hpp"

#include "data/date.hpp"
#include "data/locations.hpp"
#include "data/shared_file.hpp"
#include "data/table_edition.hpp"
#include "data/table_store.hpp"
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
    // The row equal to `row` nearest to `near`; -1 when there is none. How a
    // change finds its row again in the file another program changed.
    int find(const JourneyRow& row, int near) const;
};

// $XDG_DATA_HOME/mkd/journeys.tsv (a relative XDG_DATA_HOME is ignored, as
// the base-directory rules say); "" without a home folder.
std::string journeyListPath(const UserFolders& user);

std::string formatJourneyList(const JourneyList& list);

// The most a list file may hold: what is larger is set aside unread, and a
// change that would make it larger is refused, so that the program can
// always read back what it wrote.
inline constexpr std::size_t kMaxJourneyFileBytes = 64u * 1024u * 1024u;

// Why a list file, or a line of it, cannot be read.
enum class JourneyDamage { None, FirstLine, FieldCount, Value, TooLarge };
struct JourneyProblem {
    JourneyDamage damage = JourneyDamage::None;
    int line = 0;  // 1-based
    int fields = 0;  // FieldCount: how many there were
    std::string field;  // Value: which field ("date", "amount", …)
    std::string value;  // Value: its text
};
struct JourneyRead {
    JourneyList list;  // the rows that could be read
    // Every line that could not be read, in order. A first line that is not
    // the heading (or a file too large) is the only problem: no row is read.
    std::vector<JourneyProblem> problems;
    bool ok() const { return problems.empty(); }
    // Nothing of the file could be read.
    bool whole() const {
        return !problems.empty() && (problems.front().damage == JourneyDamage::FirstLine ||
                                     problems.front().damage == JourneyDamage::TooLarge);
    }
};
JourneyRead readJourneyList(std::string_view text);

// A list loaded from its file.
struct JourneyLoad {
    JourneyRead read;  // the rows read (none when the file is missing)
    int error = 0;  // errno when the file exists but cannot be read
    // A file with lines that cannot be read, or too large to read: the name
    // it was renamed to (kept for the user), its readable rows saved in its
    // place; "" when it could not be renamed (`asideError` says why), which
    // leaves it where it was and stops saves over it (see JourneyStore).
    std::string keptAs;
    int asideError = 0;
};

// The list's file and its rows. Every change is made to what the file holds
// at that moment: read again when another program saved it since, changed,
// saved, all under the folder's lock (FolderLock).
class JourneyStore {
public:
    // Why a save was refused, in SaveResult::error besides errno values.
    static constexpr int kKeptAsItIs = -20;  // a damaged file could not be set aside
    static constexpr int kFull = -21;  // the list would be larger than kMaxJourneyFileBytes

    // `maxBytes`: the most the file may hold (smaller in tests).
    explicit JourneyStore(std::string path, std::size_t maxBytes = kMaxJourneyFileBytes)
        : path_(std::move(path)), maxBytes_(maxBytes) {}
    // Loads the file; what was wrong with it, if anything.
    const JourneyLoad& load();
    // Loads the file again when another program saved it since it was
    // loaded or saved here; true when it did (lastLoad() says how it went).
    bool reload();
    // Applies `edit` to the rows the file holds now and saves them; `edit`
    // returns false when there is nothing to change (its row is gone). On
    // failure nothing changes and the result says why; `list` is then what
    // the file holds.
    SaveResult change(const std::function<bool(JourneyList&)>& edit);
    // Saves `list` as the whole list, whatever the file holds now.
    SaveResult save();

    const std::string& path() const { return path_; }
    const JourneyLoad& lastLoad() const { return loaded_; }
    // How many times the file was loaded: one more after a change or a
    // reload that had to read it again.
    int loads() const { return loads_; }
    JourneyList list;

private:
    // Loads the file, the folder's lock held.
    void loadLocked();
    SaveResult saveLocked(const JourneyList& rows);

    std::string path_;
    std::size_t maxBytes_;
    JourneyLoad loaded_;
    FileState state_;  // the file as last loaded or saved here
    bool keepOff_ = false;  // the file on disk must not be replaced
    int loads_ = 0;
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
std::optional<Passenger> passengerOfId(std::string_view id);
std::optional<Trip> tripOfId(std::string_view id);

}  // namespace mkd
