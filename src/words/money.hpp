// The money format of both result screens: "#,##0円".
#pragma once

#include <string>

#include "words/words.hpp"

namespace mkd {

// Whole yen, digits grouped by three with ",", followed by "円":
// 0 → "0円", 980 → "980円", 1230 → "1,230円", -1230 → "-1,230円".
// A fraction (never in well-formed tables) is rounded half away from zero.
// The unit and its place are the language's.
std::string formatMoney(double yen, Lang lang = Lang::Japanese);

// A number for a sentence (a distance, a cell): whole numbers without a
// fraction, others in their shortest exact form; "?" where there is none.
std::string numberWords(double value);

// The digits formatMoney shows, without the unit: 1230 → "1,230".
std::string groupedYen(double yen);

// The amount formatMoney shows, before rounding: cells never read as NaN or
// infinity, but the sum of two absurd cells can overflow; such a total is
// the largest amount there is (NaN, which no sum gives, is 0).
double shownAmount(double yen);

}  // namespace mkd
