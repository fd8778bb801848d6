#include "data/cell_value.hpp"

#include <charconv>
#include <cmath>
#include <string>

namespace mkd {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the text as if its blanks were not there.
class BlankSkipper {
public:
    explicit BlankSkipper(std::string_view text) : text_(text) { skip(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void next() {
        ++pos_;
        skip();
    }

private:
    void skip() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

double cellValue(std::string_view text) { return readCellText(text).value; }

CellReading readCellText(std::string_view text) {
    // Gather the leading number without its blanks into plain ASCII, in the
    // form std::from_chars reads regardless of the locale: "-12.5e3".
    CellReading reading;
    std::string number;
    BlankSkipper in(text);

    if (in.peek() == '+' || in.peek() == '-') {
        if (in.peek() == '-') number += '-';
        in.next();
    }
    bool anyDigit = false;
    while (isDigit(in.peek())) {
        number += in.peek();
        anyDigit = true;
        in.next();
    }
    if (in.peek() == '.') {
        in.next();
        std::string fraction;
        while (isDigit(in.peek())) {
            fraction += in.peek();
            in.next();
        }
        if (!fraction.empty()) {
            if (!anyDigit) number += '0';
            number += '.';
            number += fraction;
            anyDigit = true;
        }
    }
    if (!anyDigit) return reading;
    reading.number = true;
    reading.nonZeroDigit = number.find_first_of("123456789") != std::string::npos;

    // An exponent counts only when digits follow it; "12E" is just 12.
    const char marker = in.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        std::string exponent = "e";
        in.next();
        if (in.peek() == '+' || in.peek() == '-') {
            if (in.peek() == '-') exponent += '-';
            in.next();
        }
        bool exponentDigits = false;
        while (isDigit(in.peek())) {
            exponent += in.peek();
            exponentDigits = true;
            in.next();
        }
        if (exponentDigits) number += exponent;
        // A marker without digits is text after the number ("12E").
        reading.textAfter = !exponentDigits;
    }
    reading.textAfter = reading.textAfter || !in.atEnd();

    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    // Out of range (too large, or too small to be told from 0) reads as 0.
    if (error != std::errc{} || end != last || !std::isfinite(value)) return reading;
    reading.value = value == 0.0 ? 0.0 : value;  // no negative zero
    return reading;
}

}  // namespace mkd
