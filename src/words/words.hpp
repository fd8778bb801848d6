// The words a person reads from the core and the command-line tools, one
// table per language (words_ja.cpp, words_en.cpp).
//
// The core decides and returns values and reasons (enums, numbers, file
// names); whoever shows them to a person picks the sentence here. Each case
// is one whole sentence with its numbers and names as arguments (%1, %2, …),
// so that a translation may put them where its grammar wants them. Japanese
// is the program's own language: every message has Japanese words, and a
// message another language lacks is shown in Japanese.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace mkd {

enum class Lang { Japanese, English };

// Messages are grouped by topic; add new ones at the end of their group.
enum class Msg : int {
    // Refusals and what a screen does not offer
    SameStation,  // "乗車駅と降車駅が同じですよ。"
    LocalTrainAdvice,  // "普通列車にしましょう。"
    SameSectionStop,  // a section screen's two lists show the same stop
    NoStudentFare,  // the enquiry's screens have no 学割 button
    StudentTooShort,  // %1: the journey's distance in km
    NoChange,  // the enquiry's screens have no 直通 / 松山乗換 frame
    ChangeNotCrossing,  // %1, %2: the express section's ends
    MarineOutside,  // %1: the station beyond the Marine Liner's stations
    MarineSameStation,
    MarineExcluded,  // %1, %2: the journey's ends
    MarineSeatExcluded,  // %1, %2: the journey's ends
    MarineSeatWhy,  // why there is no reserved seat and what to do instead
    NoSectionScreen,
    DateNotListed,  // %1, %2: the first and last listed years
    NoExpressStopBetween,  // %1, %2: the journey's ends; %3, %4 the stops they map to
    BothEndsSameStop,  // %1, %2: the journey's ends; %3 the one stop both map to
    MarineServes,  // %1, %2: the Marine Liner section the menu prices
    SameStationNext,  // what to do after SameStation
    LocalTrainNext,  // what to do after LocalTrainAdvice
    SameSectionStopNext,  // what to do after SameSectionStop

    // Result screens: bills and charge captions
    BillAdultOneWay,  // "おとな片道運賃"
    BillAdultRoundTrip,
    BillChildOneWay,
    BillChildRoundTrip,
    BillStudentOneWay,
    BillStudentRoundTrip,
    ChargedAdultOneWay,  // "(おとな片道)"
    ChargedAdultRoundTrip,
    ChargedChildOneWay,
    ChargedChildRoundTrip,
    ChargedStudentOneWay,
    ChargedStudentRoundTrip,
    CaptionNonReserved,  // "自由席特急料金"
    CaptionReservedBusy,
    CaptionReservedNormal,
    CaptionReservedOffPeak,
    CaptionGreen,
    CaptionMarineReserved,
    CaptionMarineReservedOffPeak,
    CaptionMarineGreen,
    Money,  // %1: the amount's digits, grouped: "%1円"
    Result,  // "検索結果"
    FareLine,  // "運賃"
    TotalLine,  // "合計"
    Through,  // "直通"
    ChangeAtMatsuyama,
    OneWay,  // "片道"
    RoundTrip,  // "往復"
    Distance,  // %1: km

    // Seasons and travel dates
    SeasonBusy,  // "繁忙期"
    SeasonNormal,
    SeasonOffPeak,
    TravelDate,  // %1: the date
    SeasonFromCalendar,  // %1 month, %2 first day, %3 last day, %4 season, %5 month's name,
                         // %6 last day within the month
    SeasonMondayToThursday,  // %1 month, %2 first day, %3 last day, %4 weekday, %5 season, %6 month's name,
                             // %7 last day within the month
    SeasonOverride,  // %1: the date; %2 year, %3 month, %4 day, %5 month's name
    DateRolledOver,  // %1 Heisei year, %2 month, %3 day chosen; %4 month, %5 day it stands for;
    // %6, %7 the two months' names, %8 the year
    Sunday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,
    DateAndSeason,  // %1 year, %2 month, %3 day, %4 weekday, %5 season, %6 month name
    ListedYears,  // %1, %2: the first and last listed years; %3, %4 the same in Heisei
    TodayNotListed,  // %1-%3 today's year, month, day; %4-%6 the date chosen instead; %7, %8 the month names
    January,
    February,
    March,
    April,
    May,
    June,
    July,
    August,
    September,
    October,
    November,
    December,
    HolidayFoundationDay,  // "建国記念の日": the holidays behind the override dates
    HolidayRespectForTheAged,
    HolidayAutumnalEquinox,
    HolidayCultureDay,
    HolidayLabourThanksgiving,
    OverrideOnHoliday,  // %1: the holiday; why an override date is normal
    OverrideDayBefore,  // %1: the holiday the next day
    OverrideSubstitute,  // %1: the holiday on the Sunday before
    CalendarMonthTitle,  // %1 year, %2 month, %3 month's name: "2007年8月の季節と料金"
    CalendarCheapest,  // the mark of the month's cheapest days, in a word
    CalendarSameEveryDay,  // the journey's kind has no season: one total for every day

    // Table files, the stored pair and the table check
    TableCannotOpen,  // %1: path
    TableTooLarge,  // %1: path
    TableTooManyRecords,  // %1 path, %2 line, %3 records the table has
    TableEndsInRecord,  // %1 path, %2 line
    CheckFatal,  // "fatal"
    CheckWarning,  // "warning"
    CheckCell,  // %1 record, %2 field, %3 departure, %4 arrival
    CheckEmptyCell,
    CheckNotANumber,  // %1: the text
    CheckOutOfRange,  // %1: the text
    CheckTextAfter,  // %1: the text, %2 its number
    CheckNegativeDistance,  // %1
    CheckNegativeAmount,  // %1
    CheckFraction,  // %1
    CheckImplausibleAmount,  // %1 the text, %2 the number it reads as, %3 the largest plausible
    CheckNotSymmetric,  // %1, %2 distances, %3 place of the other
    CheckPlace,  // %1 file, %2 line, %3 field
    CheckFewerRecords,  // %1 records, %2 size
    CheckExtraRecord,  // %1 size
    CheckEndsInRecord,  // %1 fields, %2 size
    CheckTooLarge,  // %1 bytes
    CheckCannotOpen,
    CheckChildAboveAdult,  // %1 child, %2 adult, %3 place
    CheckSelectionThird,
    CheckSelectionMissing,  // %1 role, %2 position and station
    CheckSelectionEmpty,  // %1 role, %2 position and station
    CheckSelectionNotANumber,  // %1 text, %2 position and station
    CheckSelectionOutOfRange,  // %1 number, %2 last position, %3 position and station
    CheckSelectionRounded,  // %1 number, %2 position and station
    CheckSelectionUnreadable,  // %1 the system's reason
    CheckSelectionReadsAsZero,  // %1 text, %2 position and station
    CheckSaveLeftover,  // %1 the file whose save left it
    CheckDeparture,  // "departure"
    CheckArrival,  // "arrival"
    CheckNoProblems,  // %1 folder
    CheckSummary,  // %1 folder, %2 fatal, %3 warnings
    CheckSummaryOne,  // %1 folder, %2 fatal: one warning
    ReasonNoSuchFile,  // why a file could not be read or written: the system's reason
    ReasonPermission,
    ReasonIsFolder,
    ReasonNotAFile,
    ReasonNotAFolder,
    ReasonDiskFull,
    ReasonReadOnlyDisk,
    ReasonReadOnlyFile,  // the user took the write permission away
    ReasonTooLarge,  // far larger than the program ever writes it
    ReasonFileTooLarge,  // EFBIG
    ReasonFileExists,  // EEXIST
    ReasonBusy,  // EBUSY, EWOULDBLOCK, ETXTBSY: another program holds it
    ReasonInputOutput,  // EIO
    ReasonNameTooLong,
    ReasonLinkLoop,
    ReasonTooManyFiles,
    ReasonNoMemory,
    ReasonOtherSystem,  // any other: %1 the number, %2 the C library's words (English only)
    ReasonDamagedKept,  // a file that could not be read is not written over
    SelectionNotSaved,  // "変更" failed: %1 the file, %2 the reason
    SelectionSaveRaced,  // "変更" failed, another save removing its temporary file: %1 the file
    SelectionUnreadable,  // Henko.txt exists but cannot be read: %1 file, %2 reason, %3 %4 the pair shown
    ShortTable,  // %1 file, %2 records found, %3 records expected
    ShortTableHint,  // what the records it lacks price as

    // Program, folders and installation
    ProgramFolderUnknown,  // the executable's folder cannot be found: nowhere to look for tables
    TableFolderNotFound,  // %1: the folders looked in, one a line
    TablesInUse,  // %1: the table folder, %2: why that one (one of the next four)
    TablesBesideProgram,
    TablesInUserData,
    TablesInstalled,
    TablesGiven,
    SelectionBesideTables,  // %1: the Henko.txt in use
    SelectionInUserConfig,  // %1: the Henko.txt in use, the tables' folder not being writable
    SelectionForInstalled,  // %1: the Henko.txt in use, the tables being the installed ones

    // Keyboard, accessibility and help

    // Station finder

    // mkd-fare
    KindLocal,  // "普通列車"
    KindNonReserved,
    KindReserved,
    KindGreen,
    KindMarineReserved,
    KindMarineGreen,
    KindWordLocal,  // the kind in one word, as mkd-fare takes it: "普通列車"
    KindWordNonReserved,
    KindWordReserved,
    KindWordGreen,
    KindWordMarineReserved,
    KindWordMarineGreen,
    PassengerAdult,  // "おとな"
    PassengerChild,
    PassengerStudent,
    ChartCorner,  // "乗車駅\降車駅"
    PricedJourney,  // %1, %2: the journey's ends; %3: the kind (KindLocal, …)
    PricedExpressSection,  // as PricedJourney; %4, %5: the express section's ends
    PricedMarineSection,  // as PricedJourney; %4, %5: the Marine Liner section's ends
    // mkd-fare's usage errors, in the language of its other words
    FareNotAStation,  // %1: the name given
    FareNotAnExpressStop,  // %1
    FareNotAMarineStop,  // %1
    FareNotAKind,  // %1
    FareNotAPassenger,  // %1
    FareNotATrip,  // %1
    FareNotASeason,  // %1
    FareNotADate,  // %1
    FareNotAMonth,  // %1: mkd-fare journeys --month
    FareNotAPartySize,  // %1 the option, %2 as written, %3 the most
    FarePartyEmpty,  // compare: a party given, and all of it 0
    FareNoCharge,
    FareCannotWrite,  // %1: the file
    FareCannotWriteBecause,  // %1: the file, %2: the system's reason
    FareStandardOutput,  // what %1 above is for standard output
    FareNoFolder,  // %1: the folder
    FareGiveStations,
    FareSeveralStations,  // %1: the name given, %2: the stations it may mean, a list
    ListSeparator,  // between the items of such a list: ", "
    // A comparison of every way to make a journey, for a party
    PartyOf,  // %1 adults, %2 children, %3 students
    PartyTotal,  // the party's total, as a column's heading
    ValidFor,  // %1: the days a ticket is valid (two or more)
    ValidForOneDay,
    ValidityLine,  // "有効期間": as a column's heading

    // Split tickets: one journey bought as several consecutive tickets
    SplitCheaper,  // %1 tickets, %2 the saving's digits ("340"), %3 the stations split at
    SplitAtSeparator,  // between the stations split at: "・"
    SplitNotCheaper,  // %1: the through ticket's amount
    SplitUnpriced,  // %1, %2: the journey's ends (a table has no fare or distance for it)
    SplitThrough,  // %1 amount, %2 km, %3 validity ("3日")
    SplitTicketsHeading,  // %1: how many tickets
    SplitTicket,  // %1 from, %2 to, %3 amount, %4 km, %5 validity
    SplitTotal,  // %1 total, %2 the saving
    SplitGivesUp,  // heading of what the split tickets give up
    SplitGivesUpValidity,  // %1 the through ticket's validity, %2 the shortest of the split tickets
    SplitGivesUpStopovers,  // %1: the tickets of 100 km or less
    SplitGivesUpStudent,  // %1: the tickets of 100 km or less
    SplitOneDay,  // "1日"
    SplitDays,  // %1: more than one day
    SplitSection,  // %1 from, %2 to: "岡山–上の町"
    FareSplitUsage,  // mkd-fare split: two stations, or --all
    SplitAtMore,  // %1 the first station split at, %2 how many in all, %3 how many besides the first:
    // "上の町など3駅"
    SplitWay,  // %1: the local train's name; the compare window's row of split tickets
    SplitRowNote,  // %1 the party's saving, %2 the stations split at
    SplitForClass,  // %1: a passenger class, heading its tickets

    // An answer taken elsewhere (the clipboard, a printer) and the journey list
    ProgramName,  // "みちくさダイヤ"
    AnswerTables,  // %1: the tables' folder
    PrintedOn,  // %1: the date printed, YYYY-MM-DD
    JourneyList,  // "交通費明細"
    JourneyDate,  // column heads of the journey list
    JourneyFrom,
    JourneyTo,
    JourneyKind,
    JourneyPassenger,
    JourneyTrip,
    JourneyAmount,
    JourneyNote,
    JourneyPricedWith,  // the column that says whether the tables changed since
    JourneyTotal,  // "合計"
    JourneyOtherTables,  // the row was priced with other tables than those in use now
    JourneyCount,  // %1: rows
    JourneyBadFirstLine,  // why a saved list cannot be read
    JourneyBadFieldCount,  // %1: fields found
    JourneyBadValue,  // %1: the field's name, %2: its text
    JourneyDamaged,  // %1 the file, %2 line, %3 why, %4 the name it was kept as
    JourneyUnreadable,  // %1 the file, %2 the system's reason
    JourneyNotSaved,  // %1 the file, %2 the system's reason
    FareNoJourneyList,  // mkd-fare journeys: no folder to keep the list in
    JourneyLinesDamaged,  // %1 the file, %2 the lines (JourneyLine…), %3 the name it was kept as, %4 rows read
    JourneyLine,  // %1 line, %2 why
    JourneyLineSeparator,  // between two JourneyLine
    JourneyMoreLines,  // %1 lines not named
    JourneyTooLarge,  // %1 the file, %2 the most it may hold (MB), %3 the name it was kept as
    JourneyNotSetAside,  // %1 the file, %2 line, %3 why, %4 the system's reason for not renaming it
    JourneyFull,  // %1 the file, %2 the most it may hold (MB)

    // The tables' edition and the expense claim (a spreadsheet or paper)
    TablesEdition,  // %1: the tables' edition
    ClaimTitle,  // "交通費精算書"
    ClaimPeriod,  // %1 first, %2 last travel date
    ClaimName,  // a field to fill in by hand
    ClaimDepartment,
    ClaimClaimant,  // approval boxes
    ClaimApprover,
    ClaimSubtotal,  // %1: the month, YYYY-MM
    ClaimNoDate,  // the rows without a travel date
    ClaimMadeWith,  // %1 the program's name, %2 its version, %3 the tables' edition
    FareXlsxNeedsFile,  // mkd-fare --xlsx without -o FILE

    Count_  // not a message: the number of them
};

inline constexpr std::size_t kMsgCount = static_cast<std::size_t>(Msg::Count_);

// The words of `id` in `lang` (Japanese where `lang` has none).
std::string_view text(Msg id, Lang lang = Lang::Japanese);

// The words of `id` with %1, %2, … replaced by `args` in order; "%%" is a
// percent sign. A placeholder without an argument stays as it is.
std::string text(Msg id, Lang lang, std::initializer_list<std::string_view> args);
std::string text(Msg id, Lang lang, const std::vector<std::string>& args);

// `pattern` with %1, %2, … replaced by `args` (what text() does with words).
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// The system's reason for a failed read or write (an errno value, or -1 for
// something that is neither a file nor a folder) in `lang`; for a reason
// without words of its own, its number (and in English the C library's words).
std::string reasonText(int error, Lang lang);

// For the tests: whether `lang` has its own words for `id`.
bool hasWords(Msg id, Lang lang);

}  // namespace mkd
