// The journey list as an expense claim: a workbook (.xlsx) and paper, both
// with a title, the period covered, fields for the claimant's name and
// department, one row per journey grouped by month with a subtotal for each,
// the total, the program and the tables' edition.
#pragma once

#include <string>
#include <string_view>

#include "data/table_edition.hpp"
#include "records/journey_list.hpp"
#include "words/words.hpp"
#include "xlsx/workbook.hpp"

namespace mkd {

// The rows of `month` ("" for all) grouped by month in order, the rows of
// each in the list's order; rows without a travel date last.
struct ClaimGroup {
    std::string month;  // "2007-10"; "" for the rows without a date
    std::vector<int> rows;  // list rows
    double subtotal = 0;
};
std::vector<ClaimGroup> claimGroups(const JourneyList& list, std::string_view month);

// "期間: 2007-10-01 ～ 2007-11-20", from the first and last travel date; ""
// when no row has one.
std::string claimPeriod(const JourneyList& list, std::string_view month, Lang lang);

// "みちくさダイヤ 1.0.0・料金表の版 2014-03-31"
std::string claimMadeWith(std::string_view version, const TablesInUse& tables, Lang lang);

// A file name that says what and when: "交通費明細_2007-10" (the month shown,
// else the months of the rows: "交通費明細_2007-10_2007-11").
std::string claimFileName(const JourneyList& list, std::string_view month, Lang lang);

Workbook journeyWorkbook(const JourneyList& list, std::string_view month, const TablesInUse& tables, Lang lang,
                         std::string_view version);

// The page body of the claim in HTML (its heading is claimPageHead()): the
// fields to fill in, the table (its head repeated on every page), the
// subtotals, the total and the approval boxes.
std::string claimHtml(const JourneyList& list, std::string_view month, const TablesInUse& tables, Lang lang);
// What heads every page: the title and the period.
std::string claimPageHead(const JourneyList& list, std::string_view month, Lang lang);

}  // namespace mkd
