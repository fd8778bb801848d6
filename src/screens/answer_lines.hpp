// What a result screen shows of an answer, in one language. The result
// screens keep the answer they were given and write it again through these
// when the language changes.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "pricing/enquiry.hpp"
#include "pricing/season.hpp"
#include "pricing/split_tickets.hpp"
#include "words/words.hpp"

// An answer as the user asked it: with the travel date where one was chosen,
// and for the local train the cheapest split into several tickets.
struct ShownAnswer {
    mkd::EnquiryAnswer answer;
    std::optional<mkd::TravelDate> date;
    std::optional<mkd::SplitAnswer> split;
};

// The answer to `request` from the tables as they are now; for the local
// train with the split tickets priced from the same tables.
ShownAnswer shownAnswer(const mkd::TableStore& tables, const mkd::EnquiryRequest& request);

// The answer of the enquiry in progress as a result screen shows it; none
// before it is priced.
std::optional<ShownAnswer> shownAnswerOf(const mkd::EnquiryInProgress& enquiry);

// The line under a local result when a split is cheaper ("2枚に分けると
// 340円安くなります（上の町で分割）"), and its tooltip: the tickets and what
// they give up. Both empty when no split is cheaper.
QString splitLine(const ShownAnswer& shown, mkd::Lang lang);
QString splitToolTip(const ShownAnswer& shown, mkd::Lang lang);

// The line that explains the amounts: the distance, the routing where there
// was a choice, and for a seat charge the travel date and its season.
QString detailLine(const ShownAnswer& shown, mkd::Lang lang);

// One line per short table behind the charge; empty when there is none.
QString shortTablesLines(const std::vector<mkd::ShortTable>& tables, mkd::Lang lang);
