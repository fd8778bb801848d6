#include "pricing/journey_rules.hpp"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace mkd {

namespace {

// The Marine Liner region: 岡山 to 児島 (0–11) and 高松 to 坂出 (12–20).
constexpr int kLastMarineRegionIndex = kLastMarineStation;

// A set of stations of the Marine region, one bit per all-station index.
using StationSet = std::uint32_t;

constexpr StationSet stations(std::initializer_list<int> indices) {
    StationSet set = 0;
    for (int i : indices) set |= StationSet{1} << i;
    return set;
}

constexpr StationSet range(int first, int last) {
    StationSet set = 0;
    for (int i = first; i <= last; ++i) set |= StationSet{1} << i;
    return set;
}

bool contains(StationSet set, int station) {
    return station >= 0 && station <= kLastMarineRegionIndex && (set & (StationSet{1} << station)) != 0;
}

// For each key station of the region, the partners that leave the Marine
// Liner menu off, and those that leave its reserved-seat item off.
struct Exclusions {
    StationSet marine;
    StationSet sitei;
};

constexpr std::array<Exclusions, kLastMarineRegionIndex + 1> kExclusions{{
    {stations({}), stations({1, 2})},  // 0 岡山
    {stations({2}), stations({0, 2, 3, 4})},  // 1 大元
    {stations({1, 3, 4}), stations({0, 1, 3, 4})},  // 2 備前西市
    {stations({2, 4}), stations({1, 2, 4})},  // 3 妹尾
    {stations({2, 3, 5, 6}), stations({1, 2, 3, 5, 6})},  // 4 備中箕島
    {stations({4, 6}), stations({4, 6})},  // 5 早島
    {stations({4, 5, 7}), stations({4, 5, 7, 8, 9, 10})},  // 6 久々原
    {stations({6, 20}), stations({6, 8, 9, 10})},  // 7 茶屋町
    {stations({}), stations({6, 7, 9, 10, 11})},  // 8 植松
    {stations({}), stations({6, 7, 8, 10, 11})},  // 9 木見
    {stations({}), stations({6, 7, 8, 9, 11})},  // 10 上の町
    {stations({}), stations({8, 9, 10})},  // 11 児島
    {stations({13, 20}), range(13, 19)},  // 12 高松
    {stations({12, 14, 15}), stations({12}) | range(14, 20)},  // 13 香西
    {stations({13, 20}), stations({12, 13}) | range(15, 20)},  // 14 鬼無
    {stations({}), stations({12, 13, 14}) | range(16, 20)},  // 15 端岡
    {stations({15, 17, 20}), range(12, 15) | range(17, 20)},  // 16 国分
    {stations({16, 18, 19}), range(12, 16) | stations({18, 19, 20})},  // 17 讃岐府中
    {stations({17, 19, 20}), range(12, 17) | stations({19, 20})},  // 18 鴨川
    {stations({17, 18, 20}), range(12, 18) | stations({20})},  // 19 八十場
    {stations({19}), range(13, 19)},  // 20 坂出
}};

}  // namespace

bool sameStation(int departure, int arrival) { return departure == arrival; }

MarineMenuJudgement judgeMarineMenu(MarineMenu current, int key, int partner) {
    MarineMenuJudgement j;
    j.menu = current;
    // An empty list (-1) passes the region test.
    j.menu.marine = key <= kLastMarineRegionIndex && partner <= kLastMarineRegionIndex;
    if (!j.menu.marine) {
        j.why = MarineWhy::Outside;
        j.outside = key > kLastMarineRegionIndex ? key : partner;
    }
    if (key >= 0 && key <= kLastMarineRegionIndex) {
        const Exclusions& excluded = kExclusions[static_cast<std::size_t>(key)];
        const bool outside = partner > kLastMarineRegionIndex;
        const bool excludedPair = !outside && contains(excluded.marine, partner);
        j.menu.marine = !outside && !excludedPair;
        j.why = outside ? MarineWhy::Outside : excludedPair ? MarineWhy::Excluded : MarineWhy::Offered;
        j.outside = outside ? partner : -1;
        j.menu.sitei = !contains(excluded.sitei, partner);
    }
    if (key == partner) {
        j.menu.marine = false;
        j.why = MarineWhy::SameStation;
    }
    j.seatExcluded = !j.menu.sitei;
    return j;
}

MarineMenu applyMenuRule(MarineMenu current, int key, int partner) {
    return judgeMarineMenu(current, key, partner).menu;
}

MarineMenuJudgement judgeMarineMenuFor(int departure, int arrival) {
    const MarineMenu afterDeparture = applyMenuRule(MarineMenu{}, departure, arrival);
    return judgeMarineMenu(afterDeparture, arrival, departure);
}

MarineMenu marineMenuFor(int departure, int arrival) { return judgeMarineMenuFor(departure, arrival).menu; }

bool studentFareOffered(double distance) { return distance > kStudentFareBeyondKm; }

}  // namespace mkd
