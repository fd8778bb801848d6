// The numeric reading of a cell on arbitrary text.
//
// Properties:
// - the result is finite and never negative zero;
// - blanks anywhere change nothing;
// - text after the number changes nothing;
// - a minus sign in front of a number negates it;
// - for the plain form [+-]digits[.digits][e[+-]digits] the result is what
//   the C library's strtod reads, wherever that is a normal number or zero;
// - the table checker's reading (readCellText) is the price a table cell
//   gives: no number reads as 0, a value other than 0 is a number with a
//   digit other than 0, and a unit after a number is text after it.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "data/cell_value.hpp"
#include "data/fare_table.hpp"
#include "fuzz_check.hpp"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (!isBlank(c)) out += c;
    return out;
}

bool plainNumber(const std::string& text) {
    static const std::regex form("[+-]?[0-9]{1,40}(\\.[0-9]{0,40})?([eE][+-]?[0-9]{1,4})?");
    return text.size() <= 100 && std::regex_match(text, form);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = mkd::cellValue(text);
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(!(value == 0.0 && std::signbit(value)));

    const std::string compact = withoutBlanks(text);
    FUZZ_CHECK(mkd::cellValue(compact) == value);
    // "円" cannot continue a number.
    FUZZ_CHECK(mkd::cellValue(std::string(text) + "円") == value);
    if (!compact.empty() && ((compact[0] >= '0' && compact[0] <= '9') || compact[0] == '.'))
        FUZZ_CHECK(mkd::cellValue("-" + std::string(text)) == -value);

    const mkd::CellReading reading = mkd::readCellText(text);
    mkd::FareTable cell(1);
    cell.setCell(0, 0, text);
    FUZZ_CHECK(reading.value == cell.value(0, 0));
    FUZZ_CHECK(reading.number || reading.value == 0.0);
    FUZZ_CHECK(reading.value == 0.0 || (reading.number && reading.nonZeroDigit));
    FUZZ_CHECK(!reading.number || mkd::readCellText(std::string(text) + "円").textAfter);

    if (plainNumber(compact)) {
        errno = 0;
        const double expected = std::strtod(compact.c_str(), nullptr);
        if (errno == 0 && (std::isnormal(expected) || expected == 0.0)) FUZZ_CHECK(value == expected);
    }
    return 0;
}
