#include "pricing/season_calendar.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace mkd {

struct SeasonCalendar::Priced {
    explicit Priced(const Locations& where) : tables(where), enquirer(tables) {}
    TableStore tables;
    Enquirer enquirer;
};

bool isCalendarMonth(int year, int month) {
    return year >= kFirstListedYear && year <= kLastListedYear && month >= 1 && month <= 12;
}

CalendarMonth calendarMonth(int year, int month) {
    CalendarMonth m;
    m.year = year;
    m.month = month;
    if (!isCalendarMonth(year, month)) return m;
    for (int day = 1; day <= daysInMonth(year, month); ++day) {
        CalendarDay d;
        d.date = {year, month, day};
        d.weekday = weekday(d.date);
        d.season = seasonOf(d.date);
        d.override = overrideReason(d.date);
        m.days.push_back(d);
    }
    return m;
}

SeasonCalendar::SeasonCalendar(Locations where) : where_(std::move(where)) {}

SeasonCalendar::~SeasonCalendar() = default;

SeasonCalendar::Priced& SeasonCalendar::priced(Season season) {
    auto& p = priced_[static_cast<std::size_t>(season)];
    if (!p) p = std::make_unique<Priced>(where_);
    return *p;
}

CalendarMonth SeasonCalendar::month(int year, int month, const std::optional<CalendarJourney>& journey) {
    CalendarMonth m = calendarMonth(year, month);
    if (!journey || m.days.empty()) return m;
    m.journey = journey;
    m.seasonal = enquiryShape(journey->request.kind).dated;
    if (journey->party.people() <= 0) return m;

    // The party's total in each season the month has: each class with
    // people in it asked as the screens ask it, times its people.
    std::array<std::optional<double>, 3> totals;
    for (Season season : {Season::Busy, Season::Normal, Season::OffPeak}) {
        const bool needed =
            std::any_of(m.days.begin(), m.days.end(), [season](const CalendarDay& d) { return d.season == season; });
        if (!needed || m.refused) continue;
        double total = 0;
        for (Passenger passenger : kPassengers) {
            const int people = journey->party.count(passenger);
            if (people <= 0) continue;
            EnquiryRequest request = journey->request;
            request.passenger = passenger;
            request.season = season;
            const EnquiryOutcome out = priced(season).enquirer.ask(request);
            if (!out.ok()) {
                m.refused = out.refused;
                break;
            }
            total += people * out.answer->total;
        }
        if (!m.refused) totals[static_cast<std::size_t>(season)] = total;
    }
    if (m.refused) return m;

    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (CalendarDay& d : m.days) {
        d.total = totals[static_cast<std::size_t>(d.season)];
        lowest = std::min(lowest, *d.total);
        highest = std::max(highest, *d.total);
    }
    if (m.seasonal && lowest < highest)
        for (CalendarDay& d : m.days) d.cheapest = *d.total == lowest;
    return m;
}

}  // namespace mkd
