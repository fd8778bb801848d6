#include "words/money.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "words/words.hpp"

namespace mkd {

double shownAmount(double yen) {
    // Cells never read as NaN or infinity, but the sum of two absurd cells can
    // overflow; such a total is shown as the largest amount there is.
    if (std::isnan(yen)) return 0.0;
    if (std::isinf(yen)) return std::copysign(std::numeric_limits<double>::max(), yen);
    return yen;
}

std::string numberWords(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc{}) return "?";
    return std::string(buffer, end);
}

std::string formatMoney(double yen, Lang lang) { return text(Msg::Money, lang, {groupedYen(yen)}); }

std::string groupedYen(double yen) {
    const double whole = std::round(shownAmount(yen));  // halves away from zero
    if (whole == 0.0) return "0";  // also -0.4, never "-0円"

    // Every whole double, up to about 1.8e308, has an exact decimal form;
    // to_chars writes it without going through any integer type.
    char digits[400];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, std::fabs(whole), std::chars_format::fixed, 0);
    if (error != std::errc{}) return "0";  // the buffer holds any double

    const std::string_view plain(digits, static_cast<std::size_t>(end - digits));
    std::string grouped;
    if (whole < 0.0) grouped += '-';
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i > 0 && (plain.size() - i) % 3 == 0) grouped += ',';
        grouped += plain[i];
    }
    return grouped;
}

}  // namespace mkd
