#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "data/table_store.hpp"
#include "pricing/fares.hpp"
#include "pricing/journey_rules.hpp"
#include "test_support.hpp"
#include "words/money.hpp"

namespace mkd {
namespace {

using test::tableText;
using test::TempDir;

// The menu after the list holding `key` changed last; `before` is the state
// the earlier choices left.
MarineMenu after(int key, int partner, MarineMenu before = {}) { return applyMenuRule(before, key, partner); }

struct MenuCase {
    int departure;
    int arrival;
    bool departureLast;  // which list the user changed last
    bool marine;
    bool sitei;
};

TEST(MenuRule, StartScreenPairs) {
    for (const MenuCase& c : {
             MenuCase{0, 1, true, true, false},
             MenuCase{0, 1, false, true, false},
             MenuCase{3, 1, true, true, false},
             MenuCase{3, 1, false, true, false},
             MenuCase{7, 20, true, false, true},
             MenuCase{7, 20, false, true, true},
             MenuCase{12, 20, false, true, true},
             MenuCase{5, 17, true, true, true},
             MenuCase{17, 19, true, false, false},
             MenuCase{0, 11, false, true, true},
         }) {
        const MarineMenu menu = c.departureLast ? after(c.departure, c.arrival) : after(c.arrival, c.departure);
        EXPECT_EQ(menu.marine, c.marine) << c.departure << "→" << c.arrival << (c.departureLast ? " d" : " a");
        EXPECT_EQ(menu.sitei, c.sitei) << c.departure << "→" << c.arrival << (c.departureLast ? " d" : " a");
    }
    // 高松 and 坂出 with the departure chosen last.
    EXPECT_FALSE(after(12, 20).marine);
}

TEST(MenuRule, OutsideTheMarineRegion) {
    for (const MarineMenu before : {MarineMenu{true, true}, MarineMenu{true, false}}) {
        // Changing to a station beyond 坂出 leaves the reserved-seat item alone.
        EXPECT_EQ(after(21, 0, before), (MarineMenu{false, before.sitei}));
        EXPECT_EQ(after(106, 106, before), (MarineMenu{false, before.sitei}));
    }
    // A region station with a partner beyond 坂出.
    EXPECT_EQ(after(0, 21, {true, false}), (MarineMenu{false, true}));
}

TEST(MenuRule, SameStationAndEmptyLists) {
    EXPECT_FALSE(after(11, 11).marine);
    EXPECT_FALSE(after(0, 0).marine);
    EXPECT_FALSE(after(-1, -1).marine);
    // An empty list passes the region test.
    EXPECT_EQ(after(-1, 5, {false, false}), (MarineMenu{true, false}));
    EXPECT_EQ(after(5, -1, {false, false}), (MarineMenu{true, true}));
}

TEST(MenuRule, ReservedSeatExclusionsAreSymmetric) {
    for (int k = 0; k <= 20; ++k)
        for (int p = 0; p <= 20; ++p) EXPECT_EQ(after(k, p).sitei, after(p, k).sitei) << k << ", " << p;
}

TEST(MenuRule, ReservedSeatExclusionRanges) {
    // 高松 excludes 香西 to 八十場 but not 坂出.
    for (int p = 13; p <= 19; ++p) EXPECT_FALSE(after(12, p).sitei) << p;
    EXPECT_TRUE(after(12, 20).sitei);
    EXPECT_TRUE(after(12, 11).sitei);
    // 岡山 excludes only 大元 and 備前西市.
    for (int p = 0; p <= 20; ++p) EXPECT_EQ(after(0, p).sitei, p != 1 && p != 2) << p;
    // 讃岐府中 excludes all of 高松 to 坂出 but itself.
    for (int p = 0; p <= 20; ++p) EXPECT_EQ(after(17, p).sitei, p < 12 || p == 17) << p;
}

TEST(MenuRule, MarineExclusionsOneSidedOnlyForTheKnownPairs) {
    // (excluding key, partner): the first-named station leaves the menu off,
    // the other way round leaves it on.
    const std::set<std::pair<int, int>> oneSided{{7, 20}, {12, 20}, {14, 20}, {16, 20}, {18, 20}, {13, 15}, {16, 15}};
    for (int k = 0; k <= 20; ++k) {
        for (int p = 0; p <= 20; ++p) {
            if (k == p) continue;
            if (oneSided.contains({k, p})) {
                EXPECT_FALSE(after(k, p).marine) << k << ", " << p;
                EXPECT_TRUE(after(p, k).marine) << p << ", " << k;
            } else if (!oneSided.contains({p, k})) {
                EXPECT_EQ(after(k, p).marine, after(p, k).marine) << k << ", " << p;
            }
        }
    }
}

TEST(JourneyRules, SameStation) {
    EXPECT_TRUE(sameStation(11, 11));
    EXPECT_TRUE(sameStation(-1, -1));
    EXPECT_FALSE(sameStation(3, 20));
    EXPECT_FALSE(sameStation(-1, 0));
}

TEST(JourneyRules, StudentFareOnlyBeyond100) {
    struct Case {
        double distance;
        bool offered;
    };
    for (const Case& c : {Case{0, false}, Case{99.9, false}, Case{100, false}, Case{100.5, true}, Case{101, true},
                          Case{297.6, true}, Case{-150, false}})
        EXPECT_EQ(studentFareOffered(c.distance), c.offered) << c.distance;
}

TEST(Money, Format) {
    struct Case {
        double yen;
        std::string text;
    };
    for (const Case& c : {
             Case{0, "0円"},
             Case{-0.0, "0円"},
             Case{0.4, "0円"},
             Case{-0.4, "0円"},
             Case{0.5, "1円"},
             Case{-0.5, "-1円"},
             Case{2.5, "3円"},
             Case{1229.5, "1,230円"},
             Case{980, "980円"},
             Case{999, "999円"},
             Case{1000, "1,000円"},
             Case{1230, "1,230円"},
             Case{2460, "2,460円"},
             Case{999999, "999,999円"},
             Case{1000000, "1,000,000円"},
             Case{123456789012, "123,456,789,012円"},
             Case{-999, "-999円"},
             Case{-1000, "-1,000円"},
             Case{-1230, "-1,230円"},
             Case{1e20, "100,000,000,000,000,000,000円"},
             Case{-1e20, "-100,000,000,000,000,000,000円"},
             Case{9007199254740993.0, "9,007,199,254,740,992円"},
         })
        EXPECT_EQ(formatMoney(c.yen), c.text) << c.yen;
}

TEST(Money, AbsurdTotalsStillFormat) {
    const std::string largest = formatMoney(1.7976931348623157e308);
    EXPECT_TRUE(largest.starts_with("179,769,313,486,231,570,")) << largest;
    EXPECT_TRUE(largest.ends_with(",368円")) << largest;
    // 309 digits in groups of three: 103 groups, 102 commas.
    EXPECT_EQ(largest.size(), 309u + 102u + std::string("円").size());
    EXPECT_EQ(formatMoney(std::numeric_limits<double>::infinity()), largest);
    EXPECT_EQ(formatMoney(std::numeric_limits<double>::quiet_NaN()), "0円");
}

// Fare tables of a few records, written to a scratch Untin folder.
class OrdinaryFare : public testing::Test {
protected:
    OrdinaryFare() : tables_(dir_.str()) {
        // 妹尾 (3) to 坂出 (20) is field 3 of record 20; the way back differs
        // so that a swapped lookup shows.
        dir_.write("Untin/Futu.txt", tableText(107, 21, {{{20, 3}, "1230"}, {{3, 20}, "1240"}, {{1, 0}, "abc"}}));
        dir_.write("Untin/Kodomo.txt", tableText(107, 21, {{{20, 3}, "610"}, {{1, 0}, "200円"}}));
        dir_.write("Untin/Gakuwari.txt", tableText(107, 21, {{{20, 3}, "980.5"}}));
        for (TableFile file : {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari})
            EXPECT_TRUE(tables_.load(file).ok());
    }

    TempDir dir_;
    TableStore tables_;
};

TEST_F(OrdinaryFare, PricesFromThePassengersTable) {
    struct Case {
        Passenger passenger;
        Trip trip;
        int departure;
        int arrival;
        double amount;
        std::string_view description;
    };
    for (const Case& c : {
             Case{Passenger::Adult, Trip::OneWay, 3, 20, 1230, "おとな片道運賃"},
             Case{Passenger::Adult, Trip::RoundTrip, 3, 20, 2460, "おとな往復運賃"},
             Case{Passenger::Adult, Trip::OneWay, 20, 3, 1240, "おとな片道運賃"},
             Case{Passenger::Child, Trip::OneWay, 3, 20, 610, "こども片道運賃"},
             Case{Passenger::Child, Trip::RoundTrip, 3, 20, 1220, "こども往復運賃"},
             Case{Passenger::Student, Trip::OneWay, 3, 20, 980.5, "学割片道運賃"},
             Case{Passenger::Student, Trip::RoundTrip, 3, 20, 1961, "学割往復運賃"},
             // A cell that is not a number, and one beyond the file's records.
             Case{Passenger::Adult, Trip::RoundTrip, 0, 1, 0, "おとな往復運賃"},
             Case{Passenger::Child, Trip::OneWay, 0, 1, 200, "こども片道運賃"},
             Case{Passenger::Adult, Trip::OneWay, 0, 106, 0, "おとな片道運賃"},
         }) {
        const OrdinaryPrice price = priceOrdinary(tables_, c.passenger, c.trip, c.departure, c.arrival);
        EXPECT_DOUBLE_EQ(price.amount, c.amount) << c.description << " " << c.departure << "→" << c.arrival;
        EXPECT_EQ(text(price.description), c.description);
    }
}

TEST_F(OrdinaryFare, RoundTripAmountIsNotRounded) {
    EXPECT_EQ(formatMoney(priceOrdinary(tables_, Passenger::Student, Trip::OneWay, 3, 20).amount), "981円");
    EXPECT_EQ(formatMoney(priceOrdinary(tables_, Passenger::Student, Trip::RoundTrip, 3, 20).amount), "1,961円");
}

}  // namespace
}  // namespace mkd
