// The words of a comparison of every way to make a journey: the name of each
// way, the party and a ticket's validity. mkd-fare and the compare window
// name the ways with the same words.
#pragma once

#include <string>
#include <vector>

#include "pricing/comparison.hpp"
#include "words/words.hpp"

namespace mkd {

// "特急 指定席 (繁忙期) 松山乗換": the kind, the season for a reserved seat,
// and 直通 or 松山乗換 where the pair offers the choice.
std::string wayName(const WayRow& row, Season season, Lang lang = Lang::Japanese);

// "おとな2人・こども1人・学割0人"
std::string partyText(const Party& party, Lang lang = Lang::Japanese);

// "2日間"
std::string validityText(int days, Lang lang = Lang::Japanese);

// Why a way has no party total: the refusal of the way, else of the class
// with people in it that the way does not offer; "" where it has one.
std::string wayRefusalText(const WayRow& row, Lang lang = Lang::Japanese);

// The row of split tickets: "普通列車 (分けて買う)".
std::string splitWayName(Lang lang = Lang::Japanese);

// What the party saves by the split tickets and where they meet:
// "340円安い（上の町で分割）"; "" when no split is cheaper for the party.
std::string splitRowNote(const SplitRow& row, Lang lang = Lang::Japanese);

// For each class with people in it, after its name: the through ticket, the
// split tickets and what they give up, or why that class buys the through
// ticket.
std::vector<std::string> splitRowLines(const SplitRow& row, const Party& party, Lang lang = Lang::Japanese);

}  // namespace mkd
