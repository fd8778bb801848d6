// A check of the table files in Untin/ before they are shipped: every problem
// of every file, each with the place it is at, not just the first one the
// program would die on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "words/words.hpp"

namespace mkd {

enum class Severity {
    Warning,  // the program runs, but some price or distance is not what was meant
    Fatal,  // the program reports the file and ends
};

enum class ProblemKind {
    // Fatal.
    CannotOpen,  // missing, unreadable, or not a regular file
    TooLarge,  // far larger than any table
    ExtraRecord,  // more records than the table has (an empty last line, too)
    EndsInsideRecord,  // fewer fields than a record needs after the last whole record
    // Warnings about a file.
    FewerRecords,  // the missing records keep what the table held (0 at start-up)
    // Warnings about a cell.
    Empty,  // prices as 0
    NotANumber,  // does not begin with a number: prices as 0
    OutOfRange,  // a number too large (or too small) for a double: prices as 0
    TextAfterNumber,  // only the number it begins with counts ("1230円", "12E")
    Negative,
    Fraction,  // an amount that is not whole yen
    Implausible,  // beyond kPlausibleLimit: no fare or distance, and maybe not the number written
    NotSymmetric,  // a distance differs from that of the reverse journey
    ChildAboveAdult,  // a child amount above the adult one for the same journey
    // Warnings about Henko.txt, the stored start-screen selection.
    SelectionMissing,  // fewer than two cells: the missing one selects 岡山
    SelectionOutOfRange,  // not a position 0–106: the corridor's end is shown instead
    SelectionRounded,  // not a whole number: rounded to the nearest position
    SaveLeftover,  // a temporary file of a save that was killed half-way
};

struct TableProblem {
    Severity severity = Severity::Warning;
    ProblemKind kind = ProblemKind::Empty;
    std::string file;  // the file name, e.g. "Futu.txt"
    int line = 0;  // from 1; 0: the file as a whole
    int column = 0;  // the field's place on its line, from 1; 0: no field
    int record = -1;  // the cell, both from 0: record = arrival,
    int field = -1;  //   field = departure; -1: no cell
    Msg what = Msg::CheckEmptyCell;  // what is wrong, as words with
    std::vector<std::string> args;  //   these arguments
    std::string message;  // the same in the checker's default words (English)
};

// No fare, charge or distance of the corridor comes near this; every whole
// number up to it is a double exactly, and so are its sums and doubles, so
// that a table within it prices exactly what it says.
inline constexpr double kPlausibleLimit = 10'000'000.0;

// The checker speaks English unless asked otherwise.
inline constexpr Lang kCheckLang = Lang::English;

// Checks the text of one table file, `size` records of `size` fields, alone:
// everything but the comparisons with other files.
std::vector<TableProblem> checkTableText(std::string_view fileName, std::string_view bytes, int size);

// Checks the text of Henko.txt.
std::vector<TableProblem> checkInitialSelectionText(std::string_view bytes);

// Checks every table file of the catalogue and Henko.txt in `folder` (the
// folder that holds them, Untin/): each file alone, the distance table against
// itself reversed, and each child table against its adult one. A missing
// Henko.txt is no problem: the start screen then shows the corridor's ends.
// `selectionFile` is the Henko.txt to check; "" for the one in `folder`.
// Problems come file by file in catalogue order, Henko.txt last, each file's
// in the order of their place in it.
std::vector<TableProblem> checkTableFolder(const std::string& folder, const std::string& selectionFile = {});

// 0: no problem, 1: warnings only, 2: at least one fatal problem.
int checkStatus(const std::vector<TableProblem>& problems);

// "Futu.txt:12:6: warning: … (record 11, field 5: 早島 → 児島)".
std::string formatProblem(const TableProblem& problem, Lang lang = kCheckLang);

// The closing line of a check: "FOLDER: no problems", "FOLDER: 1 fatal, 2 warnings".
std::string checkSummary(const std::string& folder, int fatal, int warnings, Lang lang = kCheckLang);

}  // namespace mkd
