// The words of a split-ticket answer: the result screen's line, and the
// tickets and what they give up, for its tooltip and for mkd-fare.
#pragma once

#include <string>
#include <vector>

#include "pricing/split_tickets.hpp"
#include "words/words.hpp"

namespace mkd {

// "2枚に分けると 340円安くなります（上の町で分割）"; "" when no split is cheaper.
std::string splitCheaperText(const SplitAnswer& split, Lang lang = Lang::Japanese);

// The stations split at, for one line: "上の町", "上の町・児島", "上の町など3駅".
std::string splitStationsText(const std::vector<int>& stations, Lang lang = Lang::Japanese);

// Why there is no cheaper split: not cheaper, or the journey cannot be
// priced; "" when a split is cheaper.
std::string splitNotCheaperText(const SplitAnswer& split, Lang lang = Lang::Japanese);

// "通しの切符 4,550円 (223 km、3日有効)"
std::string splitThroughText(const SplitAnswer& split, Lang lang = Lang::Japanese);

// The tickets, one line each after a heading, then the total with the
// saving; empty when no split is cheaper.
std::vector<std::string> splitTicketLines(const SplitAnswer& split, Lang lang = Lang::Japanese);

// What the split tickets give up, one line each after a heading; empty when
// they give up nothing or no split is cheaper.
std::vector<std::string> splitGivesUpLines(const SplitAnswer& split, Lang lang = Lang::Japanese);

// "1日", "3日" ("1 day", "3 days").
std::string daysWords(int days, Lang lang = Lang::Japanese);

}  // namespace mkd
