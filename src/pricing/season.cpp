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
    Holiday holiday;
    HolidayDay on;
};

constexpr Holiday kFoundation = Holiday::FoundationDay, kAged = Holiday::RespectForTheAged,
                  kEquinox = Holiday::AutumnalEquinox, kCulture = Holiday::CultureDay,
                  kLabour = Holiday::LabourThanksgiving;
constexpr HolidayDay kOn = HolidayDay::Holiday, kBefore = HolidayDay::DayBefore, kSubstitute = HolidayDay::Substitute;

constexpr Override kOverrides[] = {
    {2003, 2, 10, kFoundation, kBefore},
    {2003, 2, 11, kFoundation, kOn},
    {2003, 9, 15, kAged, kOn},
    {2003, 9, 22, kEquinox, kBefore},
    {2003, 9, 23, kEquinox, kOn},
    {2003, 11, 3, kCulture, kOn},
    {2003, 11, 24, kLabour, kSubstitute},
    {2004, 2, 10, kFoundation, kBefore},
    {2004, 2, 11, kFoundation, kOn},
    {2004, 9, 20, kAged, kOn},
    {2004, 9, 22, kEquinox, kBefore},
    {2004, 9, 23, kEquinox, kOn},
    {2004, 11, 2, kCulture, kBefore},
    {2004, 11, 3, kCulture, kOn},
    {2004, 11, 22, kLabour, kBefore},
    {2004, 11, 23, kLabour, kOn},
    {2005, 2, 10, kFoundation, kBefore},
    {2005, 9, 19, kAged, kOn},
    {2005, 9, 22, kEquinox, kBefore},
    {2005, 11, 2, kCulture, kBefore},
    {2005, 11, 3, kCulture, kOn},
    {2005, 11, 22, kLabour, kBefore},
    {2005, 11, 23, kLabour, kOn},
    {2006, 9, 18, kAged, kOn},
    {2006, 11, 2, kCulture, kBefore},
    {2006, 11, 22, kLabour, kBefore},
    {2006, 11, 23, kLabour, kOn},
    {2007, 2, 12, kFoundation, kSubstitute},
    {2007, 9, 17, kAged, kOn},
    {2007, 9, 24, kEquinox, kSubstitute},
    {2007, 11, 22, kLabour, kBefore},
    {2008, 2, 11, kFoundation, kOn},
    {2008, 9, 15, kAged, kOn},
    {2008, 9, 22, kEquinox, kBefore},
    {2008, 9, 23, kEquinox, kOn},
    {2008, 11, 3, kCulture, kOn},
    {2008, 11, 24, kLabour, kSubstitute},
};

const Override* findOverride(const Date& d) {
    for (const Override& o : kOverrides)
        if (o.year == d.year && o.month == d.month && o.day == d.day) return &o;
    return nullptr;
}

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

bool isNormalSeasonOverride(const Date& d) { return findOverride(d) != nullptr; }

std::optional<OverrideReason> overrideReason(const Date& d) {
    const Override* o = findOverride(d);
    if (!o) return std::nullopt;
    return OverrideReason{o->holiday, o->on};
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
