// A month of the season calendar at a glance: each day's season, the
// override that made a day normal and its holiday, and, for a journey, each
// day's total. The seasons are the travel-date screens' own (seasonOf,
// overrideReason) and the totals the enquiries' own (Enquirer), so that the
// calendar never says other than the screens.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "data/locations.hpp"
#include "data/table_store.hpp"
#include "pricing/comparison.hpp"
#include "pricing/enquiry.hpp"
#include "pricing/season.hpp"

namespace mkd {

struct CalendarDay {
    Date date;
    int weekday = 0;  // 0 = Sunday
    Season season = Season::Normal;
    std::optional<OverrideReason> override;  // a normal-season override date, and why
    std::optional<double> total;  // the journey's total that day, where one was asked and priced
    // The lowest total of the month (ties all marked); only where the totals
    // differ from day to day.
    bool cheapest = false;
};

// The journey whose total each day shows: the kind, the pair, the trip, the
// routing and the section of `request` (its passenger and season are not
// read), for `party` together.
struct CalendarJourney {
    EnquiryRequest request;
    Party party;
};

struct CalendarMonth {
    int year = kFirstListedYear;
    int month = 1;
    std::vector<CalendarDay> days;  // day 1 first
    std::optional<CalendarJourney> journey;
    // The journey's total follows the season (a reserved seat): it may
    // differ from day to day.
    bool seasonal = false;
    // Why the journey has no total (the first refusal met), or a party of
    // nobody (refusal unset, no totals).
    std::optional<Refused> refused;
};

// Whether the calendar has `month` of `year`: the listed years, months 1–12.
bool isCalendarMonth(int year, int month);

// The month's days and seasons, without a journey.
CalendarMonth calendarMonth(int year, int month);

// Prices journeys against tables of its own, one store a season, each
// reserved-seat file read over an empty table and then kept.
class SeasonCalendar {
public:
    explicit SeasonCalendar(Locations where);
    ~SeasonCalendar();

    // The month, with the journey's total on each day when one is given.
    CalendarMonth month(int year, int month, const std::optional<CalendarJourney>& journey = std::nullopt);

private:
    struct Priced;
    Priced& priced(Season season);

    Locations where_;
    std::array<std::unique_ptr<Priced>, 3> priced_;
};

}  // namespace mkd
