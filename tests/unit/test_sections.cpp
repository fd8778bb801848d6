// Presetting the express and Marine Green sections from a journey, and the
// change-at-松山 test.
#include <gtest/gtest.h>

#include "pricing/sections.hpp"

namespace mkd {
namespace {

struct PresetCase {
    int departure, arrival;
    Section section;
    bool advise;
};

TEST(ExpressSection, Presets) {
    const PresetCase cases[] = {
        {0, 11, {0, 1}, false},  // 岡山 → 児島
        {1, 10, {1, 0}, true},  // 大元 → 上の町: 児島 lies beyond 上の町
        {72, 84, {18, 18}, true},  // 伊予市 → 串
        {84, 72, {18, 18}, true},  // 串 → 伊予市
        {10, 1, {0, 1}, true},  // 上の町 → 大元, descending
        {106, 12, {25, 2}, false},  // 宇和島 → 高松
        {0, 106, {0, 25}, false},  // 岡山 → 宇和島
        {11, 12, {1, 2}, false},  // 児島 → 高松
        {13, 20, {3, 3}, true},  // 香西 → 坂出
        {75, 82, {19, 18}, true},  // 伊予中山 → 伊予上灘: 81–91 map back to 伊予市
        {2, 30, {1, 8}, false},  // 備前西市 → 本山: 児島 → 高瀬
    };
    for (const auto& c : cases) {
        const SectionPreset p = presetExpressSection(c.departure, c.arrival);
        EXPECT_EQ(p.section, c.section) << c.departure << "→" << c.arrival;
        EXPECT_EQ(p.adviseLocalTrain, c.advise) << c.departure << "→" << c.arrival;
    }
}

TEST(MarineSection, Presets) {
    const PresetCase cases[] = {
        {0, 1, {0, 1}, false},  // 岡山 → 大元
        {1, 0, {1, 0}, false},  // 大元 → 岡山
        {13, 14, {13, 13}, true},  // 香西 → 鬼無: both 鬼無
        {0, 12, {0, 14}, false},  // 岡山 → 高松
        {17, 12, {11, 14}, false},  // 讃岐府中 → 高松: the other end is not on the Honshu side
        {17, 0, {10, 0}, false},  // 讃岐府中 → 岡山
        {0, 19, {0, 9}, false},  // 岡山 → 八十場
        {12, 19, {14, 10}, false},  // 高松 → 八十場
        {11, 20, {8, 9}, false},  // 児島 → 坂出
    };
    for (const auto& c : cases) {
        const SectionPreset p = presetMarineSection(c.departure, c.arrival);
        EXPECT_EQ(p.section, c.section) << c.departure << "→" << c.arrival;
        EXPECT_EQ(p.adviseLocalTrain, c.advise) << c.departure << "→" << c.arrival;
    }
}

// Express stops: 岡山 0, 児島 1, 高松 2, 松山 17, 伊予市 18, 宇和島 25. A
// change at 松山 is offered from 岡山 or 児島 to beyond 松山 and back: each
// edge on both sides, each way.
TEST(MatsuyamaCrossing, OnlyFrom岡山or児島ToBeyond松山) {
    const struct {
        int from, to;
        bool crosses;
    } cases[] = {
        {0, 25, true},   {25, 0, true},   {1, 18, true},   {18, 1, true},  // the nearest that cross
        {2, 25, false},  {25, 2, false},  // 高松: not 岡山 or 児島
        {0, 17, false},  {17, 0, false},  {1, 17, false},  {17, 1, false},  // to or from 松山 itself
        {17, 25, false}, {25, 17, false}, {18, 25, false}, {25, 18, false}, {0, 1, false}, {1, 0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(crossesMatsuyama(c.from, c.to), c.crosses) << c.from << "→" << c.to;
}

}  // namespace
}  // namespace mkd
