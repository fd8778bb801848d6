// The season of a travel date: calendar, override dates and roll-over.
#include <gtest/gtest.h>

#include "explain/enquiry_words.hpp"
#include "pricing/season.hpp"

namespace mkd {
namespace {

struct SeasonCase {
    Date date;
    Season season;
};

TEST(Season, CalendarBoundariesAndWeekdays) {
    const SeasonCase cases[] = {
        {{2003, 1, 10}, Season::Busy},    {{2003, 1, 11}, Season::Normal},
        {{2003, 1, 15}, Season::Normal},  {{2004, 1, 15}, Season::Normal},  // a Thursday: still normal
        {{2003, 1, 16}, Season::OffPeak},  // Thursday
        {{2003, 1, 17}, Season::Normal},  // Friday
        {{2003, 2, 12}, Season::OffPeak}, {{2003, 2, 14}, Season::Normal},
        {{2003, 3, 20}, Season::Normal},  {{2003, 3, 21}, Season::Busy},
        {{2003, 4, 5}, Season::Busy},     {{2003, 4, 6}, Season::Normal},
        {{2003, 4, 27}, Season::Normal},  {{2003, 4, 28}, Season::Busy},
        {{2003, 5, 6}, Season::Busy},     {{2003, 5, 7}, Season::Normal},
        {{2003, 6, 10}, Season::OffPeak}, {{2003, 6, 14}, Season::Normal},  // Tuesday, Saturday
        {{2003, 7, 20}, Season::Normal},  {{2003, 7, 21}, Season::Busy},
        {{2003, 8, 13}, Season::Busy},    {{2003, 10, 1}, Season::Normal},
        {{2003, 12, 1}, Season::OffPeak}, {{2003, 12, 20}, Season::Normal},  // Monday, Saturday
        {{2003, 12, 24}, Season::Normal}, {{2003, 12, 25}, Season::Busy},
        {{2004, 2, 29}, Season::Normal},  {{2008, 2, 29}, Season::Normal},  // Sunday, Friday
        {{2002, 2, 11}, Season::OffPeak},  // Monday, and 2002 has no override dates
    };
    for (const auto& c : cases)
        EXPECT_EQ(seasonOf(c.date), c.season) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    // The month edges where the Monday-to-Thursday rule starts or stops, on
    // both sides, each on a day the rule applies to.
    const SeasonCase edges[][2] = {
        {{{2007, 2, 28}, Season::OffPeak}, {{2007, 3, 1}, Season::Normal}},  // Wednesday, Thursday
        {{{2006, 5, 31}, Season::Normal}, {{2006, 6, 1}, Season::OffPeak}},  // Wednesday, Thursday
        {{{2008, 6, 30}, Season::OffPeak}, {{2008, 7, 1}, Season::Normal}},  // Monday, Tuesday
        {{{2005, 8, 31}, Season::Busy}, {{2005, 9, 1}, Season::OffPeak}},  // Wednesday, Thursday
        {{{2003, 9, 30}, Season::OffPeak}, {{2003, 10, 1}, Season::Normal}},  // Tuesday, Wednesday
        {{{2007, 10, 31}, Season::Normal}, {{2007, 11, 1}, Season::OffPeak}},  // Wednesday, Thursday
        {{{2006, 12, 20}, Season::OffPeak}, {{2006, 12, 21}, Season::Normal}},  // Wednesday, Thursday
    };
    for (const auto& edge : edges)
        for (const SeasonCase& c : edge)
            EXPECT_EQ(seasonOf(c.date), c.season) << c.date.year << "-" << c.date.month << "-" << c.date.day;
}

TEST(Season, OverrideDatesMakeOffPeakDaysNormal) {
    EXPECT_EQ(calendarSeason({2003, 2, 11}), Season::OffPeak);
    EXPECT_EQ(seasonOf({2003, 2, 11}), Season::Normal);
    EXPECT_EQ(seasonOf({2003, 2, 12}), Season::OffPeak);
    EXPECT_EQ(seasonOf({2007, 9, 24}), Season::Normal);
    EXPECT_EQ(seasonOf({2007, 9, 25}), Season::OffPeak);
    EXPECT_EQ(seasonOf({2008, 11, 24}), Season::Normal);
    // Only the listed years have overrides.
    EXPECT_FALSE(isNormalSeasonOverride({2009, 2, 11}));
    EXPECT_FALSE(isNormalSeasonOverride({2002, 9, 23}));
}

TEST(Season, DaysBeyondTheMonthRollOver) {
    EXPECT_EQ(rollOver(2003, 4, 31), (Date{2003, 5, 1}));
    EXPECT_EQ(rollOver(2003, 2, 29), (Date{2003, 3, 1}));
    EXPECT_EQ(rollOver(2004, 2, 31), (Date{2004, 3, 2}));
    EXPECT_EQ(rollOver(2004, 2, 29), (Date{2004, 2, 29}));
    EXPECT_EQ(rollOver(2003, 12, 31), (Date{2003, 12, 31}));
    EXPECT_EQ(rollOver(2003, 11, 31), (Date{2003, 12, 1}));
    // The rolled-over date is what is classified.
    EXPECT_EQ(seasonOf(rollOver(2003, 2, 29)), Season::Normal);  // Saturday 1 March
    EXPECT_EQ(seasonOf(rollOver(2003, 4, 31)), Season::Busy);  // 1 May
    EXPECT_EQ(seasonOf(rollOver(2003, 11, 31)), Season::OffPeak);  // Monday 1 December
}

TEST(Season, Weekdays) {
    EXPECT_EQ(weekday({2003, 2, 11}), 2);  // Tuesday
    EXPECT_EQ(weekday({2004, 2, 29}), 0);  // Sunday
    EXPECT_EQ(weekday({2008, 2, 29}), 5);  // Friday
    EXPECT_EQ(weekday({2000, 1, 1}), 6);  // Saturday
}

TEST(Season, ReservedSeatFilesBySeason) {
    EXPECT_EQ(tableFileInfo(adultReservedSeatFile(Season::Busy)).name, "SiteiH.txt");
    EXPECT_EQ(tableFileInfo(childReservedSeatFile(Season::Busy)).name, "KSiteiH.txt");
    EXPECT_EQ(tableFileInfo(adultReservedSeatFile(Season::Normal)).name, "SiteiT.txt");
    EXPECT_EQ(tableFileInfo(childReservedSeatFile(Season::OffPeak)).name, "KSiteiK.txt");
}

TEST(Season, DefaultTravelDateStaysOnTheListedYears) {
    EXPECT_EQ(defaultTravelDate({2007, 8, 12}), (Date{2007, 8, 12}));
    EXPECT_EQ(defaultTravelDate({2026, 12, 7}), (Date{2008, 12, 7}));
    EXPECT_EQ(defaultTravelDate({1999, 2, 28}), (Date{2002, 2, 28}));
}

// Every day of a leap year lies in exactly the calendar line it is given.
TEST(Season, CalendarLinesCoverEveryDayOnce) {
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= 31; ++day) {
            const Date d = rollOver(2004, month, day);
            if (d.month != month) continue;
            const CalendarPeriod p = calendarPeriod(d);
            EXPECT_EQ(p.month, month);
            EXPECT_TRUE(p.firstDay <= day && day <= p.lastDay) << month << "/" << day;
            EXPECT_EQ(calendarPeriod({2004, month, p.firstDay}).lastDay, p.lastDay);
        }
}

// A travel date as chosen says why it has its season.
TEST(Season, TravelDateSaysWhy) {
    const TravelDate rolled = travelDate(2004, 2, 31);
    EXPECT_EQ(rolled.date, (Date{2004, 3, 2}));
    EXPECT_TRUE(rolled.rolledOver);
    EXPECT_EQ(rolledOverText(rolled), "平成16年2月31日は、3月2日のことです。");
    EXPECT_EQ(seasonReason(rolled), "3月1日から20日までは通常期です。");
    EXPECT_EQ(rolledOverText(rolled, Lang::English), "31 February 2004 counts as 2 March 2004.");
    EXPECT_EQ(seasonReason(rolled, Lang::English), "Every day from 1 to 20 March is in the normal season.");

    const TravelDate wednesday = travelDate(2003, 2, 12);
    EXPECT_FALSE(wednesday.rolledOver);
    EXPECT_EQ(rolledOverText(wednesday), "");
    EXPECT_TRUE(wednesday.period.mondayToThursday);
    EXPECT_EQ(wednesday.season, Season::OffPeak);
    EXPECT_NE(seasonReason(wednesday).find("水曜日なので閑散期"), std::string::npos) << seasonReason(wednesday);
    // In English a period names its month and the month's real last day.
    EXPECT_EQ(seasonReason(travelDate(2007, 6, 12), Lang::English),
              "From 1 to 30 June, Monday to Thursday is off-peak and the other days are normal; this day is a "
              "Tuesday, so it is in the off-peak season.");

    const TravelDate holiday = travelDate(2003, 2, 11);
    EXPECT_TRUE(holiday.overridden);
    EXPECT_EQ(holiday.season, Season::Normal);
    EXPECT_EQ(seasonReason(holiday, Lang::English),
              "11 February 2003 is a holiday or the day before one: normal season whatever the calendar says.");
}

TEST(Season, ListedDatesAreTheListsOwn) {
    EXPECT_TRUE(isListedDate(2002, 1, 1));
    EXPECT_TRUE(isListedDate(2008, 12, 31));
    EXPECT_TRUE(isListedDate(2003, 2, 31));  // rolls over
    EXPECT_FALSE(isListedDate(2001, 12, 31));
    EXPECT_FALSE(isListedDate(2009, 1, 1));
    EXPECT_FALSE(isListedDate(2005, 13, 1));
    EXPECT_FALSE(isListedDate(2005, 0, 1));
    EXPECT_FALSE(isListedDate(2005, 1, 32));
    EXPECT_FALSE(isListedDate(2005, 1, 0));
}

}  // namespace
}  // namespace mkd
