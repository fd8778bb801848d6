// English.
#include <iterator>

#include "words/word_table.hpp"

namespace mkd::detail {

namespace {

constexpr Entry kWords[] = {
    // Refusals and what a screen does not offer
    {Msg::SameStation, "The departure and arrival stations are the same."},
    {Msg::LocalTrainAdvice, "Take a local train."},
    {Msg::SameSectionStop, "The section begins and ends at the same stop."},
    {Msg::NoStudentFare, "This ticket has no student fare."},
    {Msg::StudentTooShort, "The student fare is only for journeys over 100 km (this one is %1 km)."},
    {Msg::NoChange, "A change at Matsuyama is only for limited-express seats."},
    {Msg::ChangeNotCrossing,
     "A change at Matsuyama is only for an express section from Okayama or Kojima to beyond Matsuyama "
     "(%1 to %2 does not pass Matsuyama)."},
    {Msg::MarineOutside,
     "The Marine Liner serves only the stations from Okayama to Kojima and from Takamatsu to Sakaide "
     "(%1 is not one of them)."},
    {Msg::MarineSameStation, "The departure and arrival stations are the same: no Marine Liner."},
    {Msg::MarineExcluded, "The Marine Liner is not offered between %1 and %2."},
    {Msg::MarineSeatExcluded, "The Marine Liner's reserved seat is not offered between %1 and %2."},
    {Msg::NoSectionScreen, "This enquiry has no screen to choose a section on."},
    {Msg::DateNotListed, "Choose a travel date from %1 to %2, month 1 to 12, day 1 to 31."},
    {Msg::NoExpressStopBetween, "No limited express stops between %1 and %2."},
    {Msg::BothEndsSameStop, "Between %1 and %2 the only stop is %3."},
    {Msg::MarineServes, "Prices the Marine Liner from %1 to %2."},

    // Result screens: bills and charge captions
    {Msg::BillAdultOneWay, "Adult single"},
    {Msg::BillAdultRoundTrip, "Adult return"},
    {Msg::BillChildOneWay, "Child single"},
    {Msg::BillChildRoundTrip, "Child return"},
    {Msg::BillStudentOneWay, "Student single"},
    {Msg::BillStudentRoundTrip, "Student return"},
    {Msg::ChargedAdultOneWay, "Adult single"},
    {Msg::ChargedAdultRoundTrip, "Adult return"},
    {Msg::ChargedChildOneWay, "Child single"},
    {Msg::ChargedChildRoundTrip, "Child return"},
    {Msg::ChargedStudentOneWay, "Student single"},
    {Msg::ChargedStudentRoundTrip, "Student return"},
    {Msg::CaptionNonReserved, "Non-reserved express"},
    {Msg::CaptionReservedBusy, "Reserved, busy season"},
    {Msg::CaptionReservedNormal, "Reserved, normal season"},
    {Msg::CaptionReservedOffPeak, "Reserved, off-peak"},
    {Msg::CaptionGreen, "Express + Green car"},
    {Msg::CaptionMarineReserved, "Reserved seat"},
    {Msg::CaptionMarineReservedOffPeak, "Reserved seat, off-peak"},
    {Msg::CaptionMarineGreen, "Green car"},
    {Msg::Money, "¥%1"},
    {Msg::Result, "Result"},
    {Msg::FareLine, "Fare"},
    {Msg::TotalLine, "Total"},
    {Msg::Through, "through"},
    {Msg::ChangeAtMatsuyama, "change at Matsuyama"},
    {Msg::OneWay, "one way"},
    {Msg::RoundTrip, "return"},
    {Msg::Distance, "%1 km"},

    // Seasons and travel dates
    {Msg::SeasonBusy, "busy season"},
    {Msg::SeasonNormal, "normal season"},
    {Msg::SeasonOffPeak, "off-peak season"},
    {Msg::TravelDate, "Travel date %1"},
    {Msg::SeasonFromCalendar, "Days %2 to %3 of month %1 are in the %4."},
    {Msg::SeasonMondayToThursday,
     "Days %2 to %3 of month %1 are off-peak from Monday to Thursday and normal otherwise; this day is a %4, "
     "so it is in the %5."},
    {Msg::SeasonOverride, "%1 is a holiday or the day before one: normal season whatever the calendar says."},
    {Msg::DateRolledOver, "Day %3 of month %2 in Heisei %1 is day %5 of month %4."},
    {Msg::Sunday, "Sunday"},
    {Msg::Monday, "Monday"},
    {Msg::Tuesday, "Tuesday"},
    {Msg::Wednesday, "Wednesday"},
    {Msg::Thursday, "Thursday"},
    {Msg::Friday, "Friday"},
    {Msg::Saturday, "Saturday"},
    {Msg::DateAndSeason, "%4 %1-%2-%3: %5"},
    {Msg::ListedYears, "Only travel dates from %1 to %2 can be priced."},

    // Table files, the stored pair and the table check
    {Msg::TableCannotOpen, "Cannot read the table file %1"},
    {Msg::TableTooLarge, "The table file is too large: %1"},
    {Msg::TableTooManyRecords, "%1, line %2: more records than the table's %3."},
    {Msg::TableEndsInRecord, "%1: the file ends inside the record that starts on line %2."},
    {Msg::CheckFatal, "fatal"},
    {Msg::CheckWarning, "warning"},
    {Msg::CheckCell, "(record %1, field %2: %3 → %4)"},
    {Msg::CheckEmptyCell, "empty cell: reads as 0"},
    {Msg::CheckNotANumber, "\"%1\" is not a number: reads as 0"},
    {Msg::CheckOutOfRange, "\"%1\" is out of range: reads as 0"},
    {Msg::CheckTextAfter, "\"%1\": only the number it begins with counts, it reads as %2"},
    {Msg::CheckNegativeDistance, "negative distance %1"},
    {Msg::CheckNegativeAmount, "negative amount %1"},
    {Msg::CheckFraction, "amount %1 is not whole yen"},
    {Msg::CheckNotSymmetric, "distance %1 differs from %2 of the reverse journey (%3)"},
    {Msg::CheckPlace, "%1 line %2 field %3"},
    {Msg::CheckFewerRecords, "only %1 of %2 records: the others keep what the table held (0 at start-up)"},
    {Msg::CheckExtraRecord, "a record beyond the table's %1 starts here (an empty last line counts as one)"},
    {Msg::CheckEndsInRecord, "the file ends inside the record that starts here: %1 of %2 fields"},
    {Msg::CheckTooLarge, "the file is larger than %1 bytes"},
    {Msg::CheckCannotOpen, "missing, unreadable or not a file"},
    {Msg::CheckChildAboveAdult, "child amount %1 is above the adult amount %2 (%3)"},
    {Msg::CheckSelectionThird, "a third record starts here: the file holds two (an empty last line counts as one)"},
    {Msg::CheckSelectionMissing, "no %1 cell: the start screen selects %2"},
    {Msg::CheckSelectionEmpty, "empty %1 cell: the start screen selects %2"},
    {Msg::CheckSelectionNotANumber, "\"%1\" is not a number: the start screen selects %2"},
    {Msg::CheckSelectionOutOfRange, "%1 is not a station position (0 to %2): the start screen selects %3"},
    {Msg::CheckSelectionRounded, "%1 is rounded: the start screen selects %2"},
    {Msg::CheckSelectionUnreadable, "cannot be read (%1): the start screen says so and shows the corridor's ends"},
    {Msg::CheckSelectionReadsAsZero, "\"%1\" is out of range: it reads as 0, the start screen selects %2"},
    {Msg::CheckSaveLeftover, "left by a save of %1 that was cut short; the next save removes it"},
    {Msg::CheckDeparture, "departure"},
    {Msg::CheckArrival, "arrival"},
    {Msg::CheckNoProblems, "%1: no problems"},
    {Msg::CheckSummary, "%1: %2 fatal, %3 warnings"},
    {Msg::CheckSummaryOne, "%1: %2 fatal, 1 warning"},
    {Msg::ReasonNoSuchFile, "no such file"},
    {Msg::ReasonPermission, "permission denied"},
    {Msg::ReasonIsFolder, "a folder, not a file"},
    {Msg::ReasonNotAFile, "not a regular file"},
    {Msg::ReasonNotAFolder, "a part of the path is not a folder"},
    {Msg::ReasonDiskFull, "no space left on the disk"},
    {Msg::ReasonReadOnlyDisk, "a read-only file system"},
    {Msg::ReasonReadOnlyFile, "the file is read-only"},
    {Msg::SelectionNotSaved,
     "The start pair could not be saved. Check that the Untin folder can be written to. The previous setting "
     "stays.\n%1: %2"},
    {Msg::SelectionUnreadable, "The stored start pair cannot be read. Starting on %3 ⇒ %4.\n%1: %2"},
    {Msg::ShortTable, "Note: %1 holds only %2 of %3 records."},
    {Msg::ShortTableHint,
     "The records it lacks price as empty (0) or as those of the file read into the same table before (another "
     "season's, for instance)."},

    // Program, folders and installation
    {Msg::ProgramFolderUnknown,
     "Cannot tell which folder the program is in, so the fare tables cannot be found. The program ends."},
    {Msg::TableFolderNotFound, "No folder of fare tables (Untin) was found. Looked in:\n%1"},
    {Msg::TablesInUse, "tables: %1 (%2)"},
    {Msg::TablesBesideProgram, "beside the program"},
    {Msg::TablesInUserData, "the user's data folder"},
    {Msg::TablesInstalled, "installed with the program"},
    {Msg::TablesGiven, "as given"},
    {Msg::SelectionBesideTables, "stored pair: %1"},
    {Msg::SelectionInUserConfig, "stored pair: %1 (the user's config folder: the tables' folder is not writable)"},

    // Keyboard, accessibility and help

    // Station finder

    // mkd-fare
    {Msg::KindLocal, "local train"},
    {Msg::KindNonReserved, "express, non-reserved"},
    {Msg::KindReserved, "express, reserved"},
    {Msg::KindGreen, "express, Green car"},
    {Msg::KindMarineReserved, "Marine Liner, reserved"},
    {Msg::KindMarineGreen, "Marine Liner, Green car"},
    {Msg::KindWordLocal, "local train"},
    {Msg::KindWordNonReserved, "non-reserved"},
    {Msg::KindWordReserved, "reserved"},
    {Msg::KindWordGreen, "Green car"},
    {Msg::KindWordMarineReserved, "Marine reserved"},
    {Msg::KindWordMarineGreen, "Marine Green"},
    {Msg::PassengerAdult, "adult"},
    {Msg::PassengerChild, "child"},
    {Msg::PassengerStudent, "student"},
    {Msg::ChartCorner, "from\\to"},
    {Msg::FareNotAStation, "'%1' is not a station"},
    {Msg::FareNotAnExpressStop, "'%1' is not a limited-express stop"},
    {Msg::FareNotAMarineStop, "'%1' is not a Marine Liner stop"},
    {Msg::FareNotAKind, "'%1' is not a kind of enquiry"},
    {Msg::FareNotAPassenger, "'%1' is not a passenger"},
    {Msg::FareNotATrip, "'%1' is not a trip"},
    {Msg::FareNotASeason, "'%1' is not a season"},
    {Msg::FareNotADate, "'%1' is not a date YYYY-MM-DD"},
    {Msg::FareNoCharge, "the local train has no charge: use --price fare or total"},
    {Msg::FareCannotWrite, "cannot write %1"},
    {Msg::FareNoFolder, "no such folder: %1"},
    {Msg::FareGiveStations, "give a boarding and an alighting station (see mkd-fare --help)"},
    {Msg::FareSeveralStations, "'%1' may be any of several stations: %2"},
    {Msg::ListSeparator, ", "},
};

}  // namespace

const Entry* englishWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
