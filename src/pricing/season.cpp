#include "pricing/season.hpp"

#include <algorithm>

namespace mkd {
namespace {

bool mondayToThursday(const Date& d) {
    const int w = weekday(d);
    return w >= 1 && w <= 4;
}

struct Override {
    int year, month, day;
};

constexpr Override kOverrides[] = {
    {2003, 2, 10},  {2003, 2, 11},  {2003, 9, 15},  {2003, 9, 22}, {2003, 9, 23},  {2003, 11, 3},  {2003, 11, 24},
    {2004, 2, 10},  {2004, 2, 11},  {2004, 9, 20},  {2004, 9, 22}, {2004, 9, 23},  {2004, 11, 2},  {2004, 11, 3},
    {2004, 11, 22}, {2004, 11, 23}, {2005, 2, 10},  {2005, 9, 19}, {2005, 9, 22},  {2005, 11, 2},  {2005, 11, 3},
    {2005, 11, 22}, {2005, 11, 23}, {2006, 9, 18},  {2006, 11, 2}, {2006, 11, 22}, {2006, 11, 23}, {2007, 2, 12},
    {2007, 9, 17},  {2007, 9, 24},  {2007, 11, 22}, {2008, 2, 11}, {2008, 9, 15},  {2008, 9, 22},  {2008, 9, 23},
    {2008, 11, 3},  {2008, 11, 24},
};

// The season calendar, month by month.
constexpr Season B = Season::Busy, N = Season::Normal, K = Season::OffPeak;
constexpr CalendarPeriod kCalendar[] = {
    {1, 1, 10, B},       {1, 11, 15, N},      {1, 16, 31, K, true}, {2, 1, 31, K, true},  {3, 1, 20, N},
    {3, 21, 31, B},      {4, 1, 5, B},        {4, 6, 27, N},        {4, 28, 30, B},       {5, 1, 6, B},
    {5, 7, 31, N},       {6, 1, 31, K, true}, {7, 1, 20, N},        {7, 21, 31, B},       {8, 1, 31, B},
    {9, 1, 31, K, true}, {10, 1, 31, N},      {11, 1, 31, K, true}, {12, 1, 20, K, true}, {12, 21, 24, N},
    {12, 25, 31, B},
};

}  // namespace

Date rollOver(int year, int month, int day) {
    Date d{year, month, day};
    while (d.day > daysInMonth(d.year, d.month)) {
        d.day -= daysInMonth(d.year, d.month);
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

int weekday(const Date& date) {
    // Sakamoto's method for the Gregorian calendar.
    static constexpr int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = date.year;
    if (date.month < 3) --y;
    return (y + y / 4 - y / 100 + y / 400 + t[date.month - 1] + date.day) % 7;
}

CalendarPeriod calendarPeriod(const Date& d) {
    for (const CalendarPeriod& p : kCalendar)
        if (p.month == d.month && d.day >= p.firstDay && d.day <= p.lastDay) return p;
    return {d.month, d.day, d.day, Season::Normal, false};  // never: the calendar covers every day
}

Season calendarSeason(const Date& d) {
    const CalendarPeriod p = calendarPeriod(d);
    if (!p.mondayToThursday) return p.season;
    return mondayToThursday(d) ? Season::OffPeak : Season::Normal;
}

bool isNormalSeasonOverride(const Date& d) {
    return std::any_of(std::begin(kOverrides), std::end(kOverrides),
                       [&](const Override& o) { return o.year == d.year && o.month == d.month && o.day == d.day; });
}

Season seasonOf(const Date& date) { return isNormalSeasonOverride(date) ? Season::Normal : calendarSeason(date); }

TravelDate travelDate(int year, int month, int day) {
    TravelDate t;
    t.written = {year, month, day};
    t.date = rollOver(year, month, day);
    t.rolledOver = !(t.date == t.written);
    t.weekday = weekday(t.date);
    t.period = calendarPeriod(t.date);
    t.overridden = isNormalSeasonOverride(t.date);
    t.season = seasonOf(t.date);
    return t;
}

bool isListedDate(int year, int month, int day) {
    return year >= kFirstListedYear && year <= kLastListedYear && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

TableFile adultReservedSeatFile(Season season) {
    switch (season) {
        case Season::Busy:
            return TableFile::SiteiH;
        case Season::Normal:
            return TableFile::SiteiT;
        case Season::OffPeak:
            break;
    }
    return TableFile::SiteiK;
}

TableFile childReservedSeatFile(Season season) {
    switch (season) {
        case Season::Busy:
            return TableFile::KSiteiH;
        case Season::Normal:
            return TableFile::KSiteiT;
        case Season::OffPeak:
            break;
    }
    return TableFile::KSiteiK;
}

Date defaultTravelDate(const Date& today) {
    Date d = today;
    d.year = std::clamp(today.year, kFirstListedYear, kLastListedYear);
    return d;
}

}  // namespace mkd
