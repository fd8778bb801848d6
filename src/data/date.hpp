// A calendar date, as the clock gives it and as the travel date and the
// journey list keep it, and the one rule of the Gregorian calendar's months.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mkd {

struct Date {
    int year = 2002;
    int month = 1;
    int day = 1;
    bool operator==(const Date&) const = default;
};

constexpr bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The days of `month` (1 to 12) in `year`.
constexpr int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// "2007-08-12"; "" for none.
std::string dateText(const std::optional<Date>& date);
// Reads "2007-08-12" (a real calendar date); none for anything else.
std::optional<Date> readDate(std::string_view text);

}  // namespace mkd
