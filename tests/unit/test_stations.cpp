#include "data/stations.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mkd {
namespace {

constexpr std::string_view kSpace = "\u3000";  // ideographic space

// The all-station index of a station by its plain name.
int allIndex(std::string_view name) {
    const auto found = findStation(StationList::All, name);
    if (!found) ADD_FAILURE() << "no station " << name;
    return found.value_or(-1);
}

TEST(StationLists, HaveTheirSizes) {
    EXPECT_EQ(stationCount(StationList::All), 107);
    EXPECT_EQ(stationCount(StationList::Express), 26);
    EXPECT_EQ(stationCount(StationList::Marine), 15);
}

TEST(StationLists, ExpressStopsInCorridorOrder) {
    const std::vector<std::string_view> expected{
        "岡山",   "児島",     "高松",     "坂出",     "宇多津",   "丸亀",   "多度津",   "詫間",     "高瀬",
        "観音寺", "川之江",   "伊予三島", "新居浜",   "伊予西条", "壬生川", "今治",     "伊予北条", "松山",
        "伊予市", "伊予中山", "内子",     "伊予大洲", "八幡浜",   "卯之町", "伊予吉田", "宇和島"};
    ASSERT_EQ(expected.size(), 26u);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(stationName(StationList::Express, i), expected[static_cast<std::size_t>(i)]) << i;
        // An express stop is displayed as in the all-station list.
        EXPECT_EQ(displayName(StationList::Express, i),
                  displayName(StationList::All, allIndex(expected[static_cast<std::size_t>(i)])));
    }
    EXPECT_EQ(stationName(StationList::Express, kMatsuyama), "松山");
}

TEST(StationLists, MarineStopsInTheirOwnOrder) {
    struct Stop {
        std::string_view name;
        std::string display;
    };
    const std::string s(kSpace);
    const std::vector<Stop> expected{{"岡山", "岡" + s + "山"}, {"大元", "大" + s + "元"}, {"妹尾", "妹" + s + "尾"},
                                     {"早島", "早" + s + "島"}, {"茶屋町", "茶屋町"},      {"植松", "植" + s + "松"},
                                     {"木見", "木" + s + "見"}, {"上の町", "上の町"},      {"児島", "児" + s + "島"},
                                     {"坂出", "坂" + s + "出"}, {"鴨川", "鴨" + s + "川"}, {"国分", "国" + s + "分"},
                                     {"端岡", "端" + s + "岡"}, {"鬼無", "鬼" + s + "無"}, {"高松", "高" + s + "松"}};
    ASSERT_EQ(expected.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(stationName(StationList::Marine, i), expected[static_cast<std::size_t>(i)].name) << i;
        EXPECT_EQ(displayName(StationList::Marine, i), expected[static_cast<std::size_t>(i)].display) << i;
    }
}

TEST(StationLists, AllStationSpotChecks) {
    struct Row {
        int index;
        std::string_view name;
    };
    for (const Row& row :
         {Row{0, "岡山"}, Row{11, "児島"}, Row{12, "高松"}, Row{13, "香西"}, Row{20, "坂出"}, Row{21, "宇多津"},
          Row{67, "松山"}, Row{72, "伊予市"}, Row{84, "串"}, Row{92, "伊予大洲"}, Row{97, "双岩"}, Row{106, "宇和島"}})
        EXPECT_EQ(stationName(StationList::All, row.index), row.name) << row.index;
}

TEST(DisplayNames, ExactStrings) {
    const std::string s(kSpace);
    struct Case {
        StationList list;
        int index;
        std::string display;
    };
    for (const Case& c :
         {Case{StationList::All, 0, "岡" + s + "山"}, Case{StationList::All, 1, s + "大元"},
          Case{StationList::Marine, 1, "大" + s + "元"}, Case{StationList::All, 97, s + "双岩"},
          Case{StationList::All, 84, "串"}, Case{StationList::All, 17, "讃岐府中"},
          Case{StationList::All, 27, "み" + s + "の"}, Case{StationList::All, 6, "久々原"},
          Case{StationList::Express, kMatsuyama, "松" + s + "山"}, Case{StationList::Express, 25, "宇和島"}})
        EXPECT_EQ(displayName(c.list, c.index), c.display) << c.index;
}

// Every name here is made of three-byte UTF-8 characters.
std::size_t characters(std::string_view text) { return text.size() / 3; }

TEST(DisplayNames, TwoCharacterNamesAreSpacedOut) {
    for (int i = 0; i < kAllStations; ++i) {
        const std::string name(stationName(StationList::All, i));
        const std::string display(displayName(StationList::All, i));
        if (characters(name) != 2) {
            EXPECT_EQ(display, name) << i;
        } else if (name == "大元" || name == "双岩") {
            EXPECT_EQ(display, std::string(kSpace) + name) << i;
        } else {
            EXPECT_EQ(display, name.substr(0, 3) + std::string(kSpace) + name.substr(3)) << i;
        }
    }
}

TEST(StationLists, InvalidIndicesGiveNothing) {
    for (StationList list : {StationList::All, StationList::Express, StationList::Marine}) {
        for (int index : {-1, stationCount(list), 1000}) {
            EXPECT_FALSE(isValidIndex(list, index));
            EXPECT_EQ(stationName(list, index), "");
            EXPECT_EQ(displayName(list, index), "");
        }
    }
}

TEST(StationLists, FindByPlainOrDisplayName) {
    EXPECT_EQ(findStation(StationList::All, "串"), 84);
    EXPECT_EQ(findStation(StationList::All, "岡\u3000山"), 0);
    EXPECT_EQ(findStation(StationList::Marine, "高松"), 14);
    EXPECT_EQ(findStation(StationList::Marine, "大\u3000元"), 1);
    EXPECT_EQ(findStation(StationList::Express, "伊予市"), 18);
    EXPECT_EQ(findStation(StationList::Express, "串"), std::nullopt);
    EXPECT_EQ(findStation(StationList::All, ""), std::nullopt);
}

// The express-stop maps, written as the ranges of all-station indices that
// each express stop takes.
struct ExpressRanges {
    int stop;
    int forwardFirst, forwardLast;
    int backwardFirst, backwardLast;
};

const std::vector<ExpressRanges> kExpressRanges{
    {0, 0, 0, 0, 10},         {1, 1, 11, 11, 11},       {2, 12, 12, 12, 19},  {3, 13, 20, 20, 20},
    {4, 21, 21, 21, 21},      {5, 22, 22, 22, 23},      {6, 23, 24, 24, 25},  {7, 25, 26, 26, 27},
    {8, 27, 28, 28, 30},      {9, 29, 31, 31, 33},      {10, 32, 34, 34, 34}, {11, 35, 35, 35, 40},
    {12, 36, 41, 41, 42},     {13, 42, 43, 43, 47},     {14, 44, 48, 48, 51}, {15, 49, 52, 52, 59},
    {16, 53, 60, 60, 66},     {17, 61, 67, 67, 71},     {18, 68, 72, 72, 74}, {19, 73, 75, 75, 76},
    {20, 76, 77, 77, 80},     {21, 78, 92, 92, 95},     {22, 93, 96, 96, 99}, {23, 97, 100, 100, 102},
    {24, 101, 103, 103, 105}, {25, 104, 106, 106, 106},
};

TEST(ExpressMaps, EveryStationMapsToItsStop) {
    std::vector<int> forward(kAllStations, -1);
    std::vector<int> backward(kAllStations, -1);
    for (const ExpressRanges& r : kExpressRanges) {
        for (int i = r.forwardFirst; i <= r.forwardLast; ++i) forward[static_cast<std::size_t>(i)] = r.stop;
        for (int i = r.backwardFirst; i <= r.backwardLast; ++i) backward[static_cast<std::size_t>(i)] = r.stop;
    }
    // The coast line between 伊予市 and 伊予大洲 looks back to 伊予市.
    for (int i = 81; i <= 91; ++i) backward[static_cast<std::size_t>(i)] = 18;

    for (int i = 0; i < kAllStations; ++i) {
        EXPECT_EQ(expressForward(i), forward[static_cast<std::size_t>(i)]) << "forward " << i;
        EXPECT_EQ(expressBackward(i), backward[static_cast<std::size_t>(i)]) << "backward " << i;
    }
}

TEST(ExpressMaps, ExpressStopsMapToThemselves) {
    for (int stop = 0; stop < kExpressStops; ++stop) {
        const int station = allIndex(stationName(StationList::Express, stop));
        EXPECT_EQ(expressForward(station), stop);
        EXPECT_EQ(expressBackward(station), stop);
    }
}

TEST(ExpressMaps, Sections) {
    // 香西 lies between 高松 and 坂出.
    EXPECT_EQ(expressForward(13), 3);
    EXPECT_EQ(expressBackward(13), 2);
    // 伊予市 to 串: both ends meet at 伊予市, an empty express section.
    EXPECT_EQ(expressForward(72), 18);
    EXPECT_EQ(expressBackward(84), 18);
    // The inland stations after 内子 still look back to 内子.
    EXPECT_EQ(expressBackward(80), 20);
}

TEST(ExpressMaps, OutsideTheListYieldsNoStop) {
    for (int index : {-1, 107, 32767}) {
        EXPECT_EQ(expressForward(index), std::nullopt) << index;
        EXPECT_EQ(expressBackward(index), std::nullopt) << index;
    }
}

TEST(MarineMaps, MarineStopsMapToThemselves) {
    for (int stop = 0; stop < kMarineStops; ++stop) {
        const int station = allIndex(stationName(StationList::Marine, stop));
        EXPECT_EQ(marineForward(station), stop) << station;
        for (int otherEnd : {0, 11, 12, 20})
            EXPECT_EQ(marineBackward(station, otherEnd), stop) << station << " from " << otherEnd;
    }
}

TEST(MarineMaps, ForwardTakesTheFirstMarineStopAtOrAfter) {
    for (int i = 0; i <= 20; ++i) {
        int expected = -1;
        for (int j = i; j <= 20 && expected < 0; ++j) {
            const auto stop = findStation(StationList::Marine, stationName(StationList::All, j));
            if (stop) expected = *stop;
        }
        EXPECT_EQ(marineForward(i), expected) << i;
    }
}

TEST(MarineMaps, BackwardRows) {
    struct Case {
        int station;
        int otherEnd;
        int expected;
    };
    for (const Case& c :
         {Case{2, 0, 1}, Case{4, 0, 2}, Case{6, 0, 3}, Case{13, 0, 13}, Case{13, 12, 13}, Case{17, 0, 10},
          Case{17, 11, 10}, Case{17, -1, 10}, Case{17, 12, 11}, Case{17, 15, 11}, Case{19, 0, 9}, Case{19, 11, 9},
          Case{19, 12, 10}, Case{19, 16, 10}, Case{18, 12, 10}, Case{20, 12, 9}})
        EXPECT_EQ(marineBackward(c.station, c.otherEnd), c.expected) << c.station << " from " << c.otherEnd;
}

TEST(MarineMaps, Sections) {
    // 讃岐府中 (17) to 岡山: from 鴨川 to 岡山; 讃岐府中 to 高松 (12): from 国分 to 高松.
    EXPECT_EQ(marineBackward(17, 0), 10);
    EXPECT_EQ(marineBackward(17, 12), 11);
    EXPECT_EQ(marineForward(12), 14);
    // 香西 goes to 鬼無 both ways.
    EXPECT_EQ(marineForward(13), 13);
    EXPECT_EQ(marineBackward(13, 0), 13);
}

TEST(MarineMaps, OutsideTheRegionYieldsNoStop) {
    for (int index : {-1, 21, 106, 107}) {
        EXPECT_EQ(marineForward(index), std::nullopt) << index;
        EXPECT_EQ(marineBackward(index, 0), std::nullopt) << index;
    }
}

}  // namespace
}  // namespace mkd
