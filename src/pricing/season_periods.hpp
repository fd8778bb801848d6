// The season calendar as the periods a person reads ("7月21日〜8月31日"),
// read off the calendar itself so that the help and the prices never
// disagree.
#pragma once

#include <vector>

#include "pricing/season.hpp"

namespace mkd {

struct MonthDay {
    int month = 1;
    int day = 1;
    bool operator==(const MonthDay&) const = default;
};

struct SeasonPeriod {
    MonthDay first;
    MonthDay last;  // inclusive; before `first` when the period runs over the new year
    bool operator==(const SeasonPeriod&) const = default;
};

// The days of the year on which the calendar gives `season` on at least one
// day of the week (so the off-peak periods include the days that are
// off-peak only from Monday to Thursday), as periods from the first of
// January on, a period over the new year joined into one.
std::vector<SeasonPeriod> seasonPeriods(Season season);

// 29 for February: the last day a travel date in that month can have.
int lastDayOf(int month);

}  // namespace mkd
