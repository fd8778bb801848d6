// mkd-fare: every enquiry of the screens on the command line, a comparison of
// every way to make a journey, a chart of prices, and a check of the tables.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <iostream>

#include "commands.hpp"
#include "fare_words.hpp"
#include "output.hpp"
#include "words/language.hpp"
#include "words/words.hpp"

namespace {

// "Kinds: local (普通列車), …", wrapped, from the kinds the core has.
std::string kindsHelp() {
    std::string text = "Kinds:";
    int column = 6;
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const auto& shape = mkd::enquiryShape(kind);
        const std::string item = std::string(shape.id) + " (" + std::string(mkd::text(shape.word)) + ")" +
                                 (kind == mkd::kEnquiries.back() ? "." : ",");
        const int width = fare::displayWidth(item);
        if (column + 1 + width > 80) {
            text += '\n';
            column = 0;
        } else {
            text += ' ';
            ++column;
        }
        text += item;
        column += width;
    }
    return text + '\n';
}

constexpr const char* kEnquiryExamples = R"(Stations by name, plain or as shown on the result screen ("岡山", "岡　山"),
by index (0 = 岡山), or by reading, Latin spelling or the name on the
station's signs in any case when it names one station ("うわじま", "uwajima",
"Iyo-Saijo", "iyosaijo").

Words follow --lang, en or ja (for every command), by default the system's
language (LC_ALL, LC_MESSAGES, LANG; Japanese unless it is English): results,
refusals and errors, in JSON too where it holds words to read ("message",
"text", "bill", …); its other keys and codes are the same in both.

The answer is what the result screen shows. The screens' refusals are refusals
here, with their words, and so is anything the screens would not offer: 学割 at
100 km or less or on the Marine Liner, 松山乗換 where the screen hides it, the
Marine Liner where its menu is off (the menu is judged as after choosing the
departure and then the arrival). The season of a reserved seat comes from
--date as the travel-date screen reads it (2002-2008, day 1-31 of any month,
a day past the month's end running on into the next: 2007-04-31 is 1 May), or
from --season; without either, from the date that screen preselects (today,
moved into 2002-2008).

Exit status: 0 answered, 1 refused, 2 usage error or an answer that could not
be written whole, 3 a table file is broken.
Text that is not UTF-8 (a folder name, a station argument, a table cell) is
written with each such byte as \xNN, in the text and in JSON; control and
invisible format characters (a line end, a right-to-left override) as \xNN
or \uNNNN.

Examples:
  mkd-fare 岡山 宇和島
  mkd-fare okayama uwajima
  mkd-fare Okayama Iyo-Saijo --kind reserved --date 2007-08-12 --lang en
  mkd-fare 岡山 宇和島 --kind reserved --date 2007-08-12 --passenger child --round-trip
  mkd-fare 児島 宇和島 --kind non-reserved --change
  mkd-fare 岡山 坂出 --kind marine-green --section 岡山 高松 --json
  mkd-fare compare 岡山 松山 --date 2007-10-10
  mkd-fare chart --kind green --passenger child -o green-child.csv
  mkd-fare split 岡山 下灘
  mkd-fare calendar 2007-08 岡山 松山 -k reserved
  mkd-fare chart --excel -o local-adult.csv
  mkd-fare journeys --excel -o claim.csv
  mkd-fare check /opt/mkd/Untin

chart --excel and journeys --excel write CSV for Excel: UTF-8 with a
byte-order mark and CR LF line ends. journeys prints the journey list mkd
keeps (交通費明細), as text, --csv, --excel or --json; see journeys --help.
)";

constexpr const char* kCheckExamples = R"(Reads the sixteen table files and Henko.txt and reports every problem with its
place, FILE:LINE:FIELD (FIELD counts the fields of that line from 1), and the
cell's record and field (from 0) with its journey. Fatal problems stop the
program: a missing file, a record too many (an empty last line counts), a file
that ends inside a record. Warnings: a cell that prices as 0 because it is
empty or not a number, text after a number, a negative amount, an amount that
is not whole yen, a number beyond 10,000,000 (no fare or distance, perhaps not
even the number written), a distance that differs from the reverse journey's,
a child amount above the adult one, fewer records than the table has, a
Henko.txt the start screen has to correct. DIR is the folder of the table files; a folder
that holds Untin/ will do. Without DIR, the tables and Henko.txt that mkd
uses; the first lines say which folder and which Henko.txt were checked.

Exit status: 0 no problem, 1 warnings only, 2 a fatal problem (or a report
that could not be written).

Examples:
  mkd-fare check
  mkd-fare check build/bin/Untin
  mkd-fare check ~/tables --json
)";

constexpr const char* kCompareExamples =
    R"(One line for each way the screens offer: the local train; the limited express
non-reserved, reserved (in the travel date's season) and Green car, through and
with a change at 松山 where offered; the Marine Liner's reserved seat and Green
car where its menu is on. Each with its one-way and round-trip total, or the
reason it is not offered. With --adults, --children or --students, the totals
of that party together (a class the way does not offer is the reason), each
ticket's validity in days, and the cheapest marked with *.

Examples:
  mkd-fare compare 岡山 宇和島
  mkd-fare compare 岡山 高松 --passenger child --date 2007-06-12 --json
  mkd-fare compare 岡山 松山 --adults 2 --children 1 --date 2007-08-12
)";

constexpr const char* kChartExamples = R"(A CSV table, one row per departure and one column per arrival (107 × 107, in
the order of the station lists), of one price for every station pair, as
mkd-fare would answer it; a pair the screens refuse is an empty cell. Stations
by their plain names, in English (--lang en) by the names on their signs.

Examples:
  mkd-fare chart > local-adult.csv
  mkd-fare chart --kind reserved --season busy --price charge -o reserved-busy.csv
  mkd-fare chart --excel -o local-adult.csv
  mkd-fare chart --xlsx -o local-adult.xlsx

--excel writes the CSV for Excel on Windows: UTF-8 with a byte-order mark, and
CR LF line ends (without it: UTF-8 without a mark, LF line ends). --xlsx writes
an Excel workbook to the file -o names: amounts as numbers in yen, the program's
version and the tables' edition above the table.
)";

constexpr const char* kJourneysExamples = R"(Prints the journey list the program keeps (交通費明細, Ctrl+J in mkd), from
$XDG_DATA_HOME/mkd/journeys.tsv (default ~/.local/share/mkd/journeys.tsv): one
row per journey and the total. --csv writes RFC 4180 CSV (UTF-8, CR LF),
--excel the same with a byte-order mark for Excel, --json an object with the
rows and the total. --xlsx -o FILE writes an Excel workbook for an expense
claim: a title, the period, fields for name and department, travel dates as
dates, amounts as numbers in yen, a subtotal per month and the total as SUM
formulas, the program's version and the tables' edition. The last column names
the tables' edition a row was priced with; a row priced with other tables than
those in use now says so ("priced with other tables"); its amount is the one it
was priced at.

Exit status: 0 printed (an empty list too), 2 usage error or a write error,
3 the list file cannot be read or is damaged (it is left as it is).

Examples:
  mkd-fare journeys
  mkd-fare journeys --excel -o claim-2007-08.csv --month 2007-08
  mkd-fare journeys --xlsx -o 交通費明細_2007-10.xlsx --month 2007-10
  mkd-fare journeys --json --lang en
)";

constexpr const char* kSplitExamples = R"(The cheapest way to buy the local-train journey as several consecutive
tickets, split at stations on its way, each priced as a single ticket (学割
only on a ticket of more than 100 km), against the through ticket; and what
the split tickets give up: days of validity (1 day up to 100 km, 2 up to
200 km, one more for every 200 km begun), stopovers (only on tickets of more
than 100 km) and 学割. With --all, every ordered pair of stations as CSV:
departure, arrival, through fare, best total, saving and the stations split
at (separated by ";"); a pair the tables cannot price has empty amounts.

Exit status: 0 answered (also when no split is cheaper), 1 refused (the same
station twice, or a journey the tables cannot price), 2 usage error, 3 a
table file is broken.

Examples:
  mkd-fare split 岡山 下灘
  mkd-fare split 岡山 松山 -p student --json
  mkd-fare split --all -o splits.csv
)";

constexpr const char* kCalendarExamples =
    R"(A line for each day of the month (2002-01 to 2008-12): its weekday, its season
as the travel-date screens give it, and for a normal-season override date the
holiday behind it. With two stations, the journey's total on each day for the
kind (-k), the trip and the party (one --passenger, or --adults, --children
and --students together); a reserved seat's total follows the season, and the
month's cheapest days are marked with *. --csv writes date, weekday, season,
override, total and cheapest (1) as CSV; --json an object with the days.

Exit status: 0 answered, 1 refused (a month outside 2002-2008, a journey the
screens would not offer), 2 usage error, 3 a table file is broken.

Examples:
  mkd-fare calendar 2007-02
  mkd-fare calendar 2007-08 岡山 松山 -k reserved --json
  mkd-fare calendar 2007-11 岡山 宇和島 -k reserved --adults 2 --children 1 --csv
)";

// The options every enquiry has.
enum class KindOption { Offered, None };  // compare asks every kind

// --lang, on every command: written before or after the subcommand.
void addLangOption(CLI::App& app, std::string& code) {
    app.add_option("--lang", code, "language of the words: en or ja (default: the system's)")
        ->check(CLI::IsMember({"en", "ja"}, CLI::ignore_case));
}

// The language asked for on the subcommand, else before it, else the system's.
mkd::Lang chosenLanguage(std::initializer_list<const std::string*> asked) {
    for (const std::string* code : asked)
        if (auto lang = mkd::languageFromCode(*code)) return *lang;
    return mkd::systemLanguage();
}

void addJourneyOptions(CLI::App& app, fare::Options& o, KindOption kind) {
    if (kind == KindOption::Offered)
        app.add_option("-k,--kind", o.kind, "kind of enquiry (default local)")
            ->check(CLI::IsMember(fare::wordsOf(fare::kindWords())));
    app.add_option("-p,--passenger", o.passenger, "passenger (default adult)")
        ->check(CLI::IsMember(fare::wordsOf(fare::passengerWords())));
    CLI::Option* date =
        app.add_option("-d,--date", o.date, "travel date YYYY-MM-DD, for the season of a reserved seat");
    app.add_option("--season", o.season, "season instead of a date")
        ->check(CLI::IsMember(fare::wordsOf(fare::seasonWords())))
        ->excludes(date);
    app.add_option("--appdir", o.appDir, "folder that holds Untin/ (default: the tables mkd uses)");
}

void addTripOptions(CLI::App& app, fare::Options& o) {
    app.add_option("-t,--trip", o.trip, "one-way or round trip (default one-way)")
        ->check(CLI::IsMember(fare::wordsOf(fare::tripWords())));
    app.add_flag("-r,--round-trip", o.roundTrip, "round trip (往復)");
    app.add_flag("-c,--change", o.change, "change trains at 松山 (松山乗換) instead of through (直通)");
}

// Options written before a subcommand are the enquiry's; where the
// subcommand has the same option and was not given it, they count for the
// subcommand, so that "mkd-fare --appdir X compare …" reads the tables in X.
void inherit(const CLI::App& parent, const fare::Options& from, const CLI::App& command, fare::Options& to) {
    const auto given = [&](const char* name) {
        return parent.count(name) > 0 && command.get_option_no_throw(name) && command.count(name) == 0;
    };
    if (given("--appdir")) to.appDir = from.appDir;
    if (given("--kind")) to.kind = from.kind;
    if (given("--passenger")) to.passenger = from.passenger;
    if (given("--date")) to.date = from.date;
    if (given("--season")) to.season = from.season;
    if (given("--trip")) to.trip = from.trip;
    if (given("--round-trip")) to.roundTrip = from.roundTrip;
    if (given("--change")) to.change = from.change;
    if (given("--json")) to.json = from.json;
}

}  // namespace

int fare::commandLine(int argc, char** argv) {
    mkd::Lang language = mkd::systemLanguage();
    return commandLine(argc, argv, language);
}

int fare::finishOutput() {
    errno = 0;
    std::cout.flush();
    // What is still buffered is written now, which says why the first
    // write that failed did.
    const bool flushed = std::fflush(stdout) == 0;
    const int why = errno;
    if (flushed && std::cout.good() && !std::ferror(stdout)) return 0;
    return why != 0 ? why : EIO;
}

int fare::commandLine(int argc, char** argv, mkd::Lang& chosen) {
    const std::string programFolder = mkd::executableFolder(argc > 0 ? argv[0] : nullptr);

    CLI::App app{"mkd-fare: fares and charges of みちくさダイヤ on the command line", "mkd-fare"};
    app.require_subcommand(0, 1);
    app.set_version_flag("--version", "mkd-fare " MKD_VERSION);
    fare::Options enquiry;
    app.add_option("from", enquiry.from, "boarding station");
    app.add_option("to", enquiry.to, "alighting station");
    addJourneyOptions(app, enquiry, KindOption::Offered);
    addTripOptions(app, enquiry);
    app.add_option("-s,--section", enquiry.section,
                   "the section chosen on the section screen: two limited-express stops, or two Marine Liner "
                   "stops for marine-green (default: the screen's preset)")
        ->expected(2);
    app.add_flag("--json", enquiry.json, "answer in JSON");
    std::string lang;  // before any subcommand, or the enquiry's
    addLangOption(app, lang);

    fare::Options compare;
    CLI::App* compareCommand = app.add_subcommand("compare", "every way to make one journey, side by side");
    compareCommand->add_option("from", compare.from, "boarding station")->required();
    compareCommand->add_option("to", compare.to, "alighting station")->required();
    addJourneyOptions(*compareCommand, compare, KindOption::None);
    compareCommand->add_flag("--json", compare.json, "answer in JSON");
    // A party: the totals of all of them together, the cheapest marked. The
    // numbers are read by runCompare, in decimal only ("010" is ten).
    const std::string most = std::to_string(mkd::kMostOfAClass);
    CLI::Option* adults =
        compareCommand->add_option("--adults", compare.partyWritten[0], "adults in the party, 0-" + most);
    CLI::Option* children =
        compareCommand->add_option("--children", compare.partyWritten[1], "children in the party, 0-" + most);
    CLI::Option* students =
        compareCommand->add_option("--students", compare.partyWritten[2], "students (学割) in the party, 0-" + most);
    std::string compareLang;
    addLangOption(*compareCommand, compareLang);
    compareCommand->footer(kCompareExamples);

    fare::Options chart;
    CLI::App* chartCommand = app.add_subcommand("chart", "a CSV of one kind of price for every station pair");
    addJourneyOptions(*chartCommand, chart, KindOption::Offered);
    addTripOptions(*chartCommand, chart);
    chartCommand->add_option("--price", chart.price, "which amount: total (default), fare or charge")
        ->check(CLI::IsMember({"total", "fare", "charge"}));
    chartCommand->add_option("-o,--output", chart.output, "file to write (default: standard output)");
    auto* chartExcel =
        chartCommand->add_flag("--excel", chart.excel, "CSV for Excel: UTF-8 with a byte-order mark, CR LF line ends");
    chartCommand->add_flag("--xlsx", chart.xlsx, "an Excel workbook (.xlsx), to the file -o names")
        ->excludes(chartExcel);
    std::string chartLang;
    addLangOption(*chartCommand, chartLang);
    chartCommand->footer(kChartExamples);

    fare::Options split;
    CLI::App* splitCommand =
        app.add_subcommand("split", "the cheapest way to buy a local-train journey as several tickets");
    splitCommand->add_option("from", split.from, "boarding station");
    splitCommand->add_option("to", split.to, "alighting station");
    splitCommand->add_option("-p,--passenger", split.passenger, "passenger (default adult)")
        ->check(CLI::IsMember(fare::wordsOf(fare::passengerWords())));
    splitCommand->add_option("-t,--trip", split.trip, "one-way or round trip (default one-way)")
        ->check(CLI::IsMember(fare::wordsOf(fare::tripWords())));
    splitCommand->add_flag("-r,--round-trip", split.roundTrip, "round trip (往復)");
    splitCommand->add_option("--appdir", split.appDir, "folder that holds Untin/ (default: the tables mkd uses)");
    splitCommand->add_flag("--json", split.json, "answer in JSON");
    splitCommand->add_flag("--all", split.all, "every ordered pair of stations, as CSV");
    splitCommand->add_option("-o,--output", split.output, "file to write with --all (default: standard output)");
    std::string splitLang;
    addLangOption(*splitCommand, splitLang);
    splitCommand->footer(kSplitExamples);
    fare::Options journeys;
    CLI::App* journeysCommand = app.add_subcommand("journeys", "print the saved journey list (交通費明細)");
    auto* journeysCsv = journeysCommand->add_flag("--csv", journeys.csv, "CSV (RFC 4180, UTF-8)");
    auto* journeysExcel =
        journeysCommand->add_flag("--excel", journeys.excel, "CSV for Excel: UTF-8 with a byte-order mark");
    auto* journeysJson =
        journeysCommand->add_flag("--json", journeys.json, "JSON")->excludes(journeysCsv)->excludes(journeysExcel);
    journeysCommand->add_flag("--xlsx", journeys.xlsx, "an Excel workbook (.xlsx) of the claim, to the file -o names")
        ->excludes(journeysCsv)
        ->excludes(journeysExcel)
        ->excludes(journeysJson);
    journeysExcel->excludes(journeysCsv);
    journeysCommand->add_option("--month", journeys.month, "only the journeys of one month, YYYY-MM");
    journeysCommand->add_option("-o,--output", journeys.output, "file to write (default: standard output)");
    journeysCommand->add_option("--appdir", journeys.appDir,
                                "folder that holds Untin/: the tables the rows are compared with");
    std::string journeysLang;
    addLangOption(*journeysCommand, journeysLang);
    journeysCommand->footer(kJourneysExamples);

    fare::Options calendar;
    CLI::App* calendarCommand =
        app.add_subcommand("calendar", "a month's seasons, day by day, with a journey's total on each day");
    calendarCommand->add_option("month", calendar.month, "the month, YYYY-MM")->required();
    calendarCommand->add_option("from", calendar.from, "boarding station");
    calendarCommand->add_option("to", calendar.to, "alighting station");
    calendarCommand->add_option("-k,--kind", calendar.kind, "kind of enquiry (default local)")
        ->check(CLI::IsMember(fare::wordsOf(fare::kindWords())));
    calendarCommand->add_option("-p,--passenger", calendar.passenger, "passenger (default adult)")
        ->check(CLI::IsMember(fare::wordsOf(fare::passengerWords())));
    addTripOptions(*calendarCommand, calendar);
    calendarCommand->add_option("-s,--section", calendar.section, "the section chosen on the section screen: two stops")
        ->expected(2);
    CLI::Option* calendarAdults =
        calendarCommand->add_option("--adults", calendar.partyWritten[0], "adults in the party, 0-" + most);
    CLI::Option* calendarChildren =
        calendarCommand->add_option("--children", calendar.partyWritten[1], "children in the party, 0-" + most);
    CLI::Option* calendarStudents =
        calendarCommand->add_option("--students", calendar.partyWritten[2], "students (学割) in the party, 0-" + most);
    auto* calendarCsv = calendarCommand->add_flag("--csv", calendar.csv, "CSV");
    calendarCommand->add_flag("--json", calendar.json, "JSON")->excludes(calendarCsv);
    calendarCommand->add_option("--appdir", calendar.appDir, "folder that holds Untin/ (default: the tables mkd uses)");
    std::string calendarLang;
    addLangOption(*calendarCommand, calendarLang);
    calendarCommand->footer(kCalendarExamples);

    std::string checkFolder;
    bool checkJson = false;
    std::string checkLang;
    CLI::App* checkCommand = app.add_subcommand("check", "check the table files and Henko.txt");
    checkCommand->add_option("dir", checkFolder, "folder of the table files (default: the one mkd uses)");
    checkCommand->add_flag("--json", checkJson, "report in JSON");
    addLangOption(*checkCommand, checkLang);
    checkCommand->footer(kCheckExamples);

    app.footer(kindsHelp() + kEnquiryExamples);

    try {
        app.parse(argc, argv);
        // Stations given to the enquiry beside a subcommand (before it, or
        // after its "--" once its own are given) are used by nothing: named
        // as any other argument that was not expected.
        if (!app.get_subcommands().empty()) {
            std::vector<std::string> unused;
            for (const char* name : {"from", "to"})
                for (const std::string& value : app.get_option(name)->results()) unused.push_back(value);
            if (!unused.empty()) throw CLI::ExtrasError(unused);
        }
    } catch (const CLI::ParseError& e) {
        // Help and version go out as they are; a mistake names what it was
        // given, which may be any bytes.
        if (e.get_exit_code() == 0) return app.exit(e);
        std::cerr << fare::asUtf8(e.what()) << "\nRun with --help for more information.\n";
        return fare::kUsageError;
    }

    const std::string& commandLang = *compareCommand    ? compareLang
                                     : *chartCommand    ? chartLang
                                     : *splitCommand    ? splitLang
                                     : *checkCommand    ? checkLang
                                     : *journeysCommand ? journeysLang
                                     : *calendarCommand ? calendarLang
                                                        : lang;
    const mkd::Lang language = chosenLanguage({&commandLang, &lang});
    chosen = language;

    // The tables by the rule of data/locations.hpp, unless --appdir names them.
    if (programFolder.empty()) {
        std::cerr << "mkd-fare: " << mkd::text(mkd::Msg::ProgramFolderUnknown, language) << '\n';
        return fare::kTableError;
    }
    const mkd::Locations located = mkd::findLocations(programFolder, mkd::userFoldersFromEnvironment());
    if (*checkCommand) {
        if (checkFolder.empty() && located.source == mkd::TableSource::NotFound) {
            std::cerr << "mkd-fare: " << fare::printableLines(mkd::describeNotFound(located, language)) << '\n';
            return 2;
        }
        // --json before the subcommand counts for it, as for compare.
        return fare::runCheck(checkFolder, located, checkJson || enquiry.json, language);
    }
    if (*journeysCommand) {
        journeys.lang = language;
        journeys.where = journeys.appDir.empty() ? located : mkd::locationsInFolder(journeys.appDir);
        return fare::runJourneys(journeys);
    }
    if (*calendarCommand) {
        inherit(app, enquiry, *calendarCommand, calendar);
        calendar.partyGiven = calendarAdults->count() + calendarChildren->count() + calendarStudents->count() > 0;
        if (calendar.from.empty() != calendar.to.empty()) {
            std::cerr << "mkd-fare: " << mkd::text(mkd::Msg::FareGiveStations, language) << '\n';
            return fare::kUsageError;
        }
        calendar.lang = language;
        calendar.where = calendar.appDir.empty() ? located : mkd::locationsInFolder(calendar.appDir);
        if (calendar.where.source == mkd::TableSource::NotFound) {
            std::cerr << "mkd-fare: " << fare::printableLines(mkd::describeNotFound(calendar.where, language)) << '\n';
            return fare::kTableError;
        }
        return fare::runCalendar(calendar);
    }
    if (*compareCommand) inherit(app, enquiry, *compareCommand, compare);
    if (*compareCommand) compare.partyGiven = adults->count() + children->count() + students->count() > 0;
    if (*chartCommand) inherit(app, enquiry, *chartCommand, chart);
    if (*splitCommand) {
        inherit(app, enquiry, *splitCommand, split);
        // Either one journey or --all; -o only with --all.
        const bool journey = !split.from.empty() && !split.to.empty();
        const bool none = split.from.empty() && split.to.empty();
        if ((split.all && !none) || (!split.all && !journey) || (!split.all && !split.output.empty())) {
            std::cerr << "mkd-fare: " << mkd::text(mkd::Msg::FareSplitUsage, language) << '\n';
            return fare::kUsageError;
        }
    }
    if (!*compareCommand && !*chartCommand && !*splitCommand && (enquiry.from.empty() || enquiry.to.empty())) {
        std::cerr << "mkd-fare: " << mkd::text(mkd::Msg::FareGiveStations, language) << '\n';
        return fare::kUsageError;
    }
    fare::Options& asked = *compareCommand ? compare : *chartCommand ? chart : *splitCommand ? split : enquiry;
    asked.lang = language;
    asked.where = asked.appDir.empty() ? located : mkd::locationsInFolder(asked.appDir);
    if (asked.where.source == mkd::TableSource::NotFound) {
        std::cerr << "mkd-fare: " << fare::printableLines(mkd::describeNotFound(asked.where, language)) << '\n';
        return fare::kTableError;
    }
    if (*compareCommand) return fare::runCompare(compare);
    if (*chartCommand) return fare::runChart(chart);
    if (*splitCommand) return fare::runSplit(split);
    return fare::runEnquiry(enquiry);
}
