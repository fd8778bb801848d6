#include "pricing/season_periods.hpp"

#include <gtest/gtest.h>

namespace mkd {
namespace {

TEST(SeasonPeriods, AsThePeopleReadThem) {
    const std::vector<SeasonPeriod> busy{{{3, 21}, {4, 5}}, {{4, 28}, {5, 6}}, {{7, 21}, {8, 31}}, {{12, 25}, {1, 10}}};
    EXPECT_EQ(seasonPeriods(Season::Busy), busy);
    // Off-peak only from Monday to Thursday, but a period all the same.
    const std::vector<SeasonPeriod> offPeak{
        {{1, 16}, {2, 29}}, {{6, 1}, {6, 30}}, {{9, 1}, {9, 30}}, {{11, 1}, {12, 20}}};
    EXPECT_EQ(seasonPeriods(Season::OffPeak), offPeak);
}

}  // namespace
}  // namespace mkd
