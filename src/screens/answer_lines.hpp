// What a result screen shows of an answer, in one language. The result
// screens keep the answer they were given and write it again through these
// when the language changes.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "pricing/enquiry.hpp"
#include "pricing/season.hpp"
#include "words/words.hpp"

// An answer as the user asked it: with the travel date where one was chosen.
struct ShownAnswer {
    mkd::EnquiryAnswer answer;
    std::optional<mkd::TravelDate> date;
};

// The line that explains the amounts: the distance, the routing where there
// was a choice, and for a seat charge the travel date and its season.
QString detailLine(const ShownAnswer& shown, mkd::Lang lang);

// One line per short table behind the charge; empty when there is none.
QString shortTablesLines(const std::vector<mkd::ShortTable>& tables, mkd::Lang lang);
