// The month calendar against the season rules written out on their own, and
// its totals against whole enquiries.
#include "pricing/season_calendar.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <tuple>

#include "explain/enquiry_words.hpp"

namespace mkd {
namespace {

// The season rules as a traveller's leaflet gives them: from which day of
// which month a season holds; "MT" off-peak Monday to Thursday, else normal.
// Written apart from the program's calendar, and weekdays counted by
// std::chrono rather than by the program's formula.
struct Edge {
    int month, day;
    char season;  // 'B' busy, 'N' normal, 'M' off-peak Monday to Thursday
};
constexpr Edge kEdges[] = {{1, 1, 'B'},  {1, 11, 'N'}, {1, 16, 'M'},  {3, 1, 'N'},  {3, 21, 'B'}, {4, 6, 'N'},
                           {4, 28, 'B'}, {5, 7, 'N'},  {6, 1, 'M'},   {7, 1, 'N'},  {7, 21, 'B'}, {9, 1, 'M'},
                           {10, 1, 'N'}, {11, 1, 'M'}, {12, 21, 'N'}, {12, 25, 'B'}};

unsigned chronoWeekday(int y, int m, int d) {
    namespace c = std::chrono;
    return c::weekday(c::sys_days(c::year(y) / c::month(static_cast<unsigned>(m)) / c::day(static_cast<unsigned>(d))))
        .c_encoding();
}

// National holidays of 2003–2008 in the off-peak months, by their rules:
// fixed days, the third Monday of September, a Sunday's holiday moved to
// the Monday.
std::map<std::tuple<int, int, int>, OverrideReason> expectedOverrides() {
    std::map<std::tuple<int, int, int>, OverrideReason> out;
    for (int y = 2003; y <= 2008; ++y) {
        int aged = 1;
        for (int mondays = 0; aged <= 30; ++aged)
            if (chronoWeekday(y, 9, aged) == 1 && ++mondays == 3) break;
        const std::tuple<int, int, Holiday> holidays[] = {{2, 11, Holiday::FoundationDay},
                                                          {9, aged, Holiday::RespectForTheAged},
                                                          {9, 23, Holiday::AutumnalEquinox},
                                                          {11, 3, Holiday::CultureDay},
                                                          {11, 23, Holiday::LabourThanksgiving}};
        for (const auto& [m, d, holiday] : holidays) {
            const auto add = [&](int day, HolidayDay on) {
                const unsigned w = chronoWeekday(y, m, day);
                if (w >= 1 && w <= 4) out[{y, m, day}] = {holiday, on};
            };
            add(d - 1, HolidayDay::DayBefore);
            add(d, HolidayDay::Holiday);
            if (chronoWeekday(y, m, d) == 0) add(d + 1, HolidayDay::Substitute);
        }
    }
    return out;
}

TEST(SeasonCalendar, EveryDayOf2002To2008FollowsTheRulesAndTheirHolidays) {
    const auto overrides = expectedOverrides();
    int days = 0;
    for (int y = kFirstListedYear; y <= kLastListedYear; ++y)
        for (int m = 1; m <= 12; ++m) {
            const CalendarMonth month = calendarMonth(y, m);
            ASSERT_EQ(static_cast<int>(month.days.size()),
                      static_cast<int>(
                          unsigned(std::chrono::year_month_day_last(std::chrono::year(y) /
                                                                    std::chrono::month(unsigned(m)) / std::chrono::last)
                                       .day())));
            for (const CalendarDay& d : month.days) {
                ++days;
                char rule = 'N';
                for (const Edge& e : kEdges)
                    if (e.month < m || (e.month == m && e.day <= d.date.day)) rule = e.season;
                const unsigned w = chronoWeekday(y, m, d.date.day);
                Season expected = rule == 'B'                       ? Season::Busy
                                  : rule == 'N' || w == 0 || w >= 5 ? Season::Normal
                                                                    : Season::OffPeak;
                const auto o = overrides.find({y, m, d.date.day});
                if (o != overrides.end()) expected = Season::Normal;
                const std::string at = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d.date.day);
                EXPECT_EQ(d.weekday, static_cast<int>(w)) << at;
                EXPECT_EQ(d.season, expected) << at;
                // The date screens' own answer for the same day.
                EXPECT_EQ(travelDate(y, m, d.date.day).season, d.season) << at;
                ASSERT_EQ(d.override.has_value(), o != overrides.end()) << at;
                if (d.override) {
                    EXPECT_EQ(*d.override, o->second) << at;
                }
            }
        }
    EXPECT_EQ(days, 2557);
    EXPECT_TRUE(calendarMonth(2009, 1).days.empty());
    EXPECT_TRUE(calendarMonth(2007, 13).days.empty());
}

TEST(SeasonCalendar, OverrideDatesSayTheirHolidayInBothLanguages) {
    const struct {
        Date date;
        const char* japanese;
        const char* english;
    } cases[] = {
        {{2003, 2, 10}, "建国記念の日の前日のため通常期", "Day before National Foundation Day: normal season"},
        {{2007, 9, 24}, "秋分の日の振替休日のため通常期", "Substitute holiday for Autumnal Equinox Day: normal season"},
        {{2006, 11, 23}, "勤労感謝の日のため通常期", "Labour Thanksgiving Day: normal season"},
    };
    for (const auto& c : cases) {
        const auto reason = overrideReason(c.date);
        ASSERT_TRUE(reason) << c.english;
        EXPECT_EQ(overrideText(*reason, Lang::Japanese), c.japanese);
        EXPECT_EQ(overrideText(*reason, Lang::English), c.english);
    }
}

constexpr int kOkayama = 0, kTakamatsu = 12, kMatsuyama = 67;

TEST(SeasonCalendar, EachDaysTotalIsTheEnquiryOfItsSeasonForTheParty) {
    SeasonCalendar calendar(locationsInFolder(MKD_TEST_TABLES));
    TableStore own(MKD_TEST_TABLES);  // fresh tables for every season, as mkd-fare reads them
    const struct {
        Enquiry kind;
        int from, to;
        Party party;
        Trip trip;
        bool seasonal;
    } cases[] = {
        {Enquiry::Reserved, kOkayama, kMatsuyama, {1, 0, 0}, Trip::OneWay, true},
        {Enquiry::Reserved, kMatsuyama, kOkayama, {2, 1, 0}, Trip::RoundTrip, true},
        {Enquiry::MarineReserved, kOkayama, kTakamatsu, {0, 2, 0}, Trip::OneWay, true},
        {Enquiry::Green, kOkayama, kMatsuyama, {1, 1, 0}, Trip::OneWay, false},
    };
    for (const auto& c : cases) {
        CalendarJourney journey;
        journey.request.kind = c.kind;
        journey.request.departure = c.from;
        journey.request.arrival = c.to;
        journey.request.trip = c.trip;
        journey.party = c.party;
        const CalendarMonth month = calendar.month(2007, 11, journey);
        ASSERT_FALSE(month.refused);
        EXPECT_EQ(month.seasonal, c.seasonal);
        std::set<double> totals;
        for (const CalendarDay& d : month.days) {
            double expected = 0;
            for (Passenger p : kPassengers) {
                if (c.party.count(p) == 0) continue;
                TableStore fresh(MKD_TEST_TABLES);
                Enquirer enquirer(fresh);
                EnquiryRequest q = journey.request;
                q.passenger = p;
                q.season = d.season;
                const EnquiryOutcome out = enquirer.ask(q);
                ASSERT_TRUE(out.ok());
                expected += c.party.count(p) * out.answer->total;
            }
            ASSERT_TRUE(d.total);
            EXPECT_EQ(*d.total, expected) << d.date.day;
            totals.insert(*d.total);
        }
        // The cheapest days: the lowest total, only where the totals differ.
        for (const CalendarDay& d : month.days)
            EXPECT_EQ(d.cheapest, c.seasonal && totals.size() > 1 && *d.total == *totals.begin()) << d.date.day;
        if (c.seasonal && c.kind == Enquiry::Reserved) {
            EXPECT_GT(totals.size(), 1u);
        }
    }
}

TEST(SeasonCalendar, AJourneyTheScreensRefuseHasNoTotals) {
    SeasonCalendar calendar(locationsInFolder(MKD_TEST_TABLES));
    CalendarJourney journey;
    journey.request.kind = Enquiry::Reserved;
    journey.request.departure = kOkayama;
    journey.request.arrival = kOkayama;
    const CalendarMonth month = calendar.month(2007, 8, journey);
    ASSERT_TRUE(month.refused);
    EXPECT_EQ(month.refused->refusal, Refusal::SameStation);
    EXPECT_EQ(month.days.size(), 31u);
    for (const CalendarDay& d : month.days) EXPECT_FALSE(d.total);
}

}  // namespace
}  // namespace mkd
