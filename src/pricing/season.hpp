// The season of a travel date, which decides the reserved-seat charge.
#pragma once

#include "data/date.hpp"
#include "data/table_catalogue.hpp"

#include <optional>

namespace mkd {

enum class Season { Busy, Normal, OffPeak };  // 繁忙, 通常, 閑散

// The date that year/month/day stand for on the travel-date screens, where
// every month has 31 days: a day beyond the end of the month continues into
// the next one (31 April 2003 is 1 May 2003).
Date rollOver(int year, int month, int day);

// 0 = Sunday … 6 = Saturday.
int weekday(const Date& date);

// One line of the season calendar: days `firstDay` to `lastDay` of `month`
// are in `season`, or, where `mondayToThursday`, off-peak from Monday to
// Thursday and normal on the other days.
struct CalendarPeriod {
    int month = 1;
    int firstDay = 1;
    int lastDay = 31;
    Season season = Season::Normal;
    bool mondayToThursday = false;
};

// The line of the calendar that holds `date`.
CalendarPeriod calendarPeriod(const Date& date);

// The season calendar alone, without the override dates.
Season calendarSeason(const Date& date);

// National holidays and days before them that fall on Monday to Thursday in
// the off-peak periods of 2003–2008: normal season whatever the calendar says.
bool isNormalSeasonOverride(const Date& date);

// The holiday behind an override date, and how the date stands to it.
enum class Holiday { FoundationDay, RespectForTheAged, AutumnalEquinox, CultureDay, LabourThanksgiving };
enum class HolidayDay {
    Holiday,  // the holiday itself
    DayBefore,  // the day before it
    Substitute,  // the Monday after a holiday that fell on a Sunday
};
struct OverrideReason {
    Holiday holiday = Holiday::FoundationDay;
    HolidayDay day = HolidayDay::Holiday;
    bool operator==(const OverrideReason&) const = default;
};
// Why `date` is an override date; none when it is not one.
std::optional<OverrideReason> overrideReason(const Date& date);

// The season of a (rolled-over) travel date.
Season seasonOf(const Date& date);

// A travel date as chosen in the lists, and why it has its season.
struct TravelDate {
    Date written;  // year, month and day as chosen
    Date date;  // what they stand for (rollOver)
    bool rolledOver = false;  // a day past the month's end: 2004-02-31 is 2 March
    int weekday = 0;  // of `date`, 0 = Sunday
    CalendarPeriod period;  // the calendar's line for `date`
    bool overridden = false;  // a normal-season override date
    Season season = Season::Normal;
};
TravelDate travelDate(int year, int month, int day);

// The reserved-seat files of a season: adult, then child.
TableFile adultReservedSeatFile(Season season);
TableFile childReservedSeatFile(Season season);

// The travel-date screens list the years 2002 to 2008 (平成14年 to 平成20年).
inline constexpr int kFirstListedYear = 2002;
inline constexpr int kLastListedYear = 2008;

// Whether the lists can show year/month/day: a listed year, months 1 to 12,
// days 1 to 31 in every month (a day past the month's end rolls over).
bool isListedDate(int year, int month, int day);

// The Heisei year the year list shows for a Gregorian year (2002 is 14).
inline constexpr int heiseiYear(int year) { return year - 1988; }

// The date preselected when a travel-date screen opens: today, or, when
// today's year is not listed, the nearest listed year with today's month and
// day.
Date defaultTravelDate(const Date& today);

}  // namespace mkd
