#include "data/date.hpp"

#include <charconv>
#include <cstdio>

namespace mkd {

namespace {

std::optional<int> readInt(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace

std::string dateText(const std::optional<Date>& date) {
    if (!date) return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date->year, date->month, date->day);
    return buffer;
}

std::optional<Date> readDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto y = readInt(text.substr(0, 4), 1, 9999);
    const auto m = readInt(text.substr(5, 2), 1, 12);
    const auto d = readInt(text.substr(8, 2), 1, 31);
    if (!y || !m || !d || *d > daysInMonth(*y, *m)) return std::nullopt;
    return Date{*y, *m, *d};
}

}  // namespace mkd
