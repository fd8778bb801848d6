// The four things mkd-fare does, once the command line has been read.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/locations.hpp"
#include "fare_words.hpp"
#include "pricing/comparison.hpp"
#include "pricing/enquiry.hpp"

namespace fare {

// Exit statuses of the enquiries, compare and chart.
inline constexpr int kAnswered = 0;
inline constexpr int kRefused = 1;  // the screens refuse it, or would not offer it
inline constexpr int kUsageError = 2;  // a word, station or date that cannot be read
inline constexpr int kTableError = 3;  // a table file the enquiry reads is broken

// What the command line said, as written.
struct Options {
    std::string appDir;  // --appdir, "" when not given
    mkd::Locations where;  // the tables and Henko.txt this run uses
    std::string from;
    std::string to;
    std::string kind = "local";
    std::string passenger = "adult";
    std::string trip = "one-way";
    bool roundTrip = false;
    bool change = false;
    std::vector<std::string> section;  // two stops, or none
    std::string date;
    std::string season;
    bool json = false;
    // compare only: the party whose totals are compared, when given:
    // --adults, --children, --students as written
    std::array<std::optional<std::string>, 3> partyWritten;
    bool partyGiven = false;
    mkd::Lang lang = mkd::Lang::Japanese;  // of everything a person reads; JSON codes are the same in both
    // chart only
    std::string price = "total";
    std::string output;
    // split only: every ordered pair, as CSV
    bool all = false;
    bool excel = false;  // chart, journeys: CSV with a byte-order mark and CR LF
    bool xlsx = false;  // chart, journeys: an Excel workbook, to the file --output names
    // journeys and calendar
    bool csv = false;
    std::string month;
};

// The whole program, from its command line to its exit status. `language`
// becomes the language of the words as soon as the command line says it.
int commandLine(int argc, char** argv, mkd::Lang& language);
int commandLine(int argc, char** argv);

// Flushes standard output: 0 when all that was written to it arrived, else
// the system's reason (an errno value). An answer cut short by a full disk
// or a closed pipe is no answer.
int finishOutput();

int runEnquiry(const Options& options);
int runCompare(const Options& options);
int runChart(const Options& options);
int runSplit(const Options& options);
int runJourneys(const Options& options);
int runCalendar(const Options& options);

// `folder` is the folder of the table files; "" for the one `located` names.
// `lang`: the words of the report.
int runCheck(const std::string& folder, const mkd::Locations& located, bool json, mkd::Lang lang);

}  // namespace fare
