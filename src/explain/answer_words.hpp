// An answer and the journey list as a person reads them outside the
// program's windows: on the clipboard (text and a small HTML table), on
// paper, and in a CSV file for a spreadsheet.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/table_edition.hpp"
#include "pricing/enquiry.hpp"
#include "records/journey_list.hpp"
#include "words/words.hpp"

namespace mkd {

// One line of a result as its screen shows it: the caption, the stations
// where the screen shows them, the amount.
struct AnswerLine {
    std::string label;
    std::string stations;
    std::string amount;
};

// A result taken out of its screen: its heading, its lines and what explains
// them (distance, routing, travel date and season, short tables, the tables'
// folder).
struct AnswerPage {
    std::string title;
    std::vector<AnswerLine> lines;
    std::vector<std::string> notes;
};

// The page of the answer `enquiry` holds (an empty page without one).
AnswerPage answerPage(const EnquiryInProgress& enquiry, std::string_view edition, Lang lang);

// One line of text per line of the page, its parts apart by tabs (so that a
// spreadsheet puts each in a cell), then the notes.
std::string pageText(const AnswerPage& page);
// The same as a small HTML table.
std::string pageHtml(const AnswerPage& page);

// `text` with &, <, > and " written as HTML entities.
std::string htmlEscape(std::string_view text);

// A heading for paper: the program's name, `title`, the date printed and the
// tables' edition.
std::string printHeadingHtml(std::string_view title, std::string_view printed, std::string_view edition, Lang lang);

// The journey list's columns, and the cells of one row as a person reads
// them: the last names the tables' edition for a row priced with the tables
// in use now, else says the row was priced with other tables (and which).
std::vector<std::string> journeyHeads(Lang lang);
std::vector<std::string> journeyCells(const JourneyRow& journey, const TablesInUse& tablesNow, Lang lang);
// That last cell.
std::string pricedWith(const JourneyRow& journey, const TablesInUse& tablesNow, Lang lang);
// The amount as a spreadsheet reads it: whole yen as the screens round it,
// without grouping.
std::string plainAmount(double amount);
// A text cell for a spreadsheet: one that begins with =, +, -, @, a tab or a
// CR, which a spreadsheet would run as a formula, behind a ' that keeps it
// text.
std::string excelText(std::string_view text);

enum class CsvStyle {
    Plain,  // RFC 4180: UTF-8, CR LF between records; every cell exactly as it is
    Excel,  // the same with a byte-order mark, which spreadsheets on Windows need to read UTF-8,
            // and text cells made safe to open (excelText)
};
// One CSV field, quoted when it must be.
std::string csvField(std::string_view text);
// The rows of `month` ("" for all) with a head line and a total line.
std::string journeyCsv(const JourneyList& list, std::string_view month, const TablesInUse& tablesNow, Lang lang,
                       CsvStyle style);
// The same as an HTML table, for paper.
std::string journeyHtml(const JourneyList& list, std::string_view month, const TablesInUse& tablesNow, Lang lang);

}  // namespace mkd
