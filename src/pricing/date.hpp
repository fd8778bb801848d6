// A calendar date as the travel-date screens read it from the clock.
#pragma once

namespace mkd {

struct Date {
    int year = 2002;
    int month = 1;
    int day = 1;
    bool operator==(const Date&) const = default;
};

}  // namespace mkd
