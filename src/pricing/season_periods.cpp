#include "pricing/season_periods.hpp"

namespace mkd {

int lastDayOf(int month) {
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? days[month - 1] : 0;
}

std::vector<SeasonPeriod> seasonPeriods(Season season) {
    // The calendar depends on the day and its weekday only; 28 years hold
    // every day on every weekday, 29 February included.
    const auto holds = [season](int month, int day) {
        for (int year = kFirstListedYear; year < kFirstListedYear + 28; ++year) {
            const Date date{year, month, day};
            if (rollOver(year, month, day) == date && calendarSeason(date) == season) return true;
        }
        return false;
    };
    std::vector<SeasonPeriod> periods;
    bool inside = false;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= lastDayOf(month); ++day) {
            const bool now = holds(month, day);
            if (now && !inside) periods.push_back({{month, day}, {month, day}});
            if (now) periods.back().last = {month, day};
            inside = now;
        }
    }
    // A period that ends on 31 December goes on into the one from 1 January.
    if (periods.size() > 1 && periods.front().first == MonthDay{1, 1} && periods.back().last == MonthDay{12, 31}) {
        periods.back().last = periods.front().last;
        periods.erase(periods.begin());
    }
    return periods;
}

}  // namespace mkd
