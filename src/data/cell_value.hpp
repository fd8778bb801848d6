// How the text of a table cell becomes a number.
#pragma once

#include <string_view>

namespace mkd {

// The number the text begins with: an optional sign, digits, an optional "."
// and fraction, and an optional exponent (E or D). Blanks are ignored anywhere
// in the text ("1 230" is 1230). Text that does not begin with a number, empty
// text, and a number too large for a double all read as 0; the result is never
// NaN or infinite.
double cellValue(std::string_view text);

// The same reading with what a checker of table files needs to know about it.
struct CellReading {
    double value = 0;  // what cellValue gives
    bool number = false;  // the text begins with a number
    bool textAfter = false;  // and something follows that number
    bool nonZeroDigit = false;  // a digit of the number is not 0 (a 0 value then means out of range)
};
CellReading readCellText(std::string_view text);

}  // namespace mkd
