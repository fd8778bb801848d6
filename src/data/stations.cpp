#include "data/stations.hpp"

#include <array>

namespace mkd {

namespace {

// One row per station of the corridor, in all-station order. The express and
// Marine lists are derived from the last two columns, so each name is written
// down exactly once. "\u3000" is the ideographic space of the display names.
struct StationRow {
    std::string_view name;
    std::string_view display;
    int express;  // express-stop index, -1 when trains pass through
    int marine;  // Marine stop index, -1 when the Marine Liner does not stop
};

constexpr std::array<StationRow, kAllStations> kStations{{
    {"岡山", "岡\u3000山", 0, 0},
    {"大元", "\u3000大元", -1, 1},
    {"備前西市", "備前西市", -1, -1},
    {"妹尾", "妹\u3000尾", -1, 2},
    {"備中箕島", "備中箕島", -1, -1},
    {"早島", "早\u3000島", -1, 3},
    {"久々原", "久々原", -1, -1},
    {"茶屋町", "茶屋町", -1, 4},
    {"植松", "植\u3000松", -1, 5},
    {"木見", "木\u3000見", -1, 6},
    {"上の町", "上の町", -1, 7},
    {"児島", "児\u3000島", 1, 8},
    {"高松", "高\u3000松", 2, 14},
    {"香西", "香\u3000西", -1, -1},
    {"鬼無", "鬼\u3000無", -1, 13},
    {"端岡", "端\u3000岡", -1, 12},
    {"国分", "国\u3000分", -1, 11},
    {"讃岐府中", "讃岐府中", -1, -1},
    {"鴨川", "鴨\u3000川", -1, 10},
    {"八十場", "八十場", -1, -1},
    {"坂出", "坂\u3000出", 3, 9},
    {"宇多津", "宇多津", 4, -1},
    {"丸亀", "丸\u3000亀", 5, -1},
    {"讃岐塩屋", "讃岐塩屋", -1, -1},
    {"多度津", "多度津", 6, -1},
    {"海岸寺", "海岸寺", -1, -1},
    {"詫間", "詫\u3000間", 7, -1},
    {"みの", "み\u3000の", -1, -1},
    {"高瀬", "高\u3000瀬", 8, -1},
    {"比地大", "比地大", -1, -1},
    {"本山", "本\u3000山", -1, -1},
    {"観音寺", "観音寺", 9, -1},
    {"豊浜", "豊\u3000浜", -1, -1},
    {"箕浦", "箕\u3000浦", -1, -1},
    {"川之江", "川之江", 10, -1},
    {"伊予三島", "伊予三島", 11, -1},
    {"伊予寒川", "伊予寒川", -1, -1},
    {"赤星", "赤\u3000星", -1, -1},
    {"伊予土居", "伊予土居", -1, -1},
    {"関川", "関\u3000川", -1, -1},
    {"多喜浜", "多喜浜", -1, -1},
    {"新居浜", "新居浜", 12, -1},
    {"中萩", "中\u3000萩", -1, -1},
    {"伊予西条", "伊予西条", 13, -1},
    {"石鎚山", "石鎚山", -1, -1},
    {"伊予氷見", "伊予氷見", -1, -1},
    {"伊予小松", "伊予小松", -1, -1},
    {"玉之江", "玉之江", -1, -1},
    {"壬生川", "壬生川", 14, -1},
    {"伊予三芳", "伊予三芳", -1, -1},
    {"伊予桜井", "伊予桜井", -1, -1},
    {"伊予富田", "伊予富田", -1, -1},
    {"今治", "今\u3000治", 15, -1},
    {"波止浜", "波止浜", -1, -1},
    {"波方", "波\u3000方", -1, -1},
    {"大西", "大\u3000西", -1, -1},
    {"伊予亀岡", "伊予亀岡", -1, -1},
    {"菊間", "菊\u3000間", -1, -1},
    {"浅海", "浅\u3000海", -1, -1},
    {"大浦", "大\u3000浦", -1, -1},
    {"伊予北条", "伊予北条", 16, -1},
    {"柳原", "柳\u3000原", -1, -1},
    {"粟井", "粟\u3000井", -1, -1},
    {"光洋台", "光洋台", -1, -1},
    {"堀江", "堀\u3000江", -1, -1},
    {"伊予和気", "伊予和気", -1, -1},
    {"三津浜", "三津浜", -1, -1},
    {"松山", "松\u3000山", 17, -1},
    {"市坪", "市\u3000坪", -1, -1},
    {"北伊予", "北伊予", -1, -1},
    {"伊予横田", "伊予横田", -1, -1},
    {"鳥ノ木", "鳥ノ木", -1, -1},
    {"伊予市", "伊予市", 18, -1},
    {"向井原", "向井原", -1, -1},
    {"伊予大平", "伊予大平", -1, -1},
    {"伊予中山", "伊予中山", 19, -1},
    {"伊予立川", "伊予立川", -1, -1},
    {"内子", "内\u3000子", 20, -1},
    {"五十崎", "五十崎", -1, -1},
    {"喜多山", "喜多山", -1, -1},
    {"新谷", "新\u3000谷", -1, -1},
    {"高野川", "高野川", -1, -1},
    {"伊予上灘", "伊予上灘", -1, -1},
    {"下灘", "下\u3000灘", -1, -1},
    {"串", "串", -1, -1},
    {"喜多灘", "喜多灘", -1, -1},
    {"伊予長浜", "伊予長浜", -1, -1},
    {"伊予出石", "伊予出石", -1, -1},
    {"伊予白滝", "伊予白滝", -1, -1},
    {"八多喜", "八多喜", -1, -1},
    {"春賀", "春\u3000賀", -1, -1},
    {"五郎", "五\u3000郎", -1, -1},
    {"伊予大洲", "伊予大洲", 21, -1},
    {"西大洲", "西大洲", -1, -1},
    {"伊予平野", "伊予平野", -1, -1},
    {"千丈", "千\u3000丈", -1, -1},
    {"八幡浜", "八幡浜", 22, -1},
    {"双岩", "\u3000双岩", -1, -1},
    {"伊予石城", "伊予石城", -1, -1},
    {"上宇和", "上宇和", -1, -1},
    {"卯之町", "卯之町", 23, -1},
    {"下宇和", "下宇和", -1, -1},
    {"立間", "立\u3000間", -1, -1},
    {"伊予吉田", "伊予吉田", 24, -1},
    {"高光", "高\u3000光", -1, -1},
    {"北宇和島", "北宇和島", -1, -1},
    {"宇和島", "宇和島", 25, -1},
}};

// The Marine stop list shows 大元 with the space between its characters,
// unlike the all-station list; every other Marine stop keeps its form.
constexpr int kOmoto = 1;
constexpr std::string_view kOmotoMarineDisplay = "大\u3000元";

// A derived list: for each position, the all-station index of its station.
template <int Count>
using IndexList = std::array<int, Count>;

template <int Count>
constexpr IndexList<Count> derive(int StationRow::*column) {
    IndexList<Count> list{};
    for (auto& entry : list) entry = -1;
    for (int i = 0; i < kAllStations; ++i) {
        const int position = kStations[static_cast<std::size_t>(i)].*column;
        if (position >= 0) list[static_cast<std::size_t>(position)] = i;
    }
    return list;
}

constexpr IndexList<kExpressStops> kExpressList = derive<kExpressStops>(&StationRow::express);
constexpr IndexList<kMarineStops> kMarineList = derive<kMarineStops>(&StationRow::marine);

// Every position of both derived lists must be filled, in a list that runs
// forwards through the corridor for the express stops.
constexpr bool filled(const auto& list) {
    for (int entry : list)
        if (entry < 0) return false;
    return true;
}
constexpr bool ascending(const auto& list) {
    for (std::size_t i = 1; i < list.size(); ++i)
        if (list[i - 1] >= list[i]) return false;
    return true;
}
static_assert(filled(kExpressList) && ascending(kExpressList));
static_assert(filled(kMarineList));

// The all-station index of `index` in `list`, or -1.
int allIndexOf(StationList list, int index) {
    if (!isValidIndex(list, index)) return -1;
    const auto i = static_cast<std::size_t>(index);
    switch (list) {
        case StationList::All:
            return index;
        case StationList::Express:
            return kExpressList[i];
        case StationList::Marine:
            return kMarineList[i];
    }
    return -1;
}

// The Marine maps cover the Marine region, all-station indices 0 to 20. The
// backward map of 讃岐府中 (17) and 八十場 (19) depends on whether the other
// end of the journey lies on the Honshu side, below 高松.
constexpr int kLastMarineRegionIndex = 20;
constexpr int kTakamatsu = 12;

struct MarineMapRow {
    int forward;
    int backwardFromHonshu;  // other end below 高松
    int backwardOtherwise;
};

constexpr std::array<MarineMapRow, kLastMarineRegionIndex + 1> kMarineMaps{{
    {0, 0, 0},  // 岡山
    {1, 1, 1},  // 大元
    {2, 1, 1},  // 備前西市
    {2, 2, 2},  // 妹尾
    {3, 2, 2},  // 備中箕島
    {3, 3, 3},  // 早島
    {4, 3, 3},  // 久々原
    {4, 4, 4},  // 茶屋町
    {5, 5, 5},  // 植松
    {6, 6, 6},  // 木見
    {7, 7, 7},  // 上の町
    {8, 8, 8},  // 児島
    {14, 14, 14},  // 高松
    {13, 13, 13},  // 香西
    {13, 13, 13},  // 鬼無
    {12, 12, 12},  // 端岡
    {11, 11, 11},  // 国分
    {10, 10, 11},  // 讃岐府中
    {10, 10, 10},  // 鴨川
    {9, 9, 10},  // 八十場
    {9, 9, 9},  // 坂出
}};

// Between 伊予市 and 伊予大洲 the line along the coast (高野川 to 五郎) is not
// the one the expresses take, so its stations look back to 伊予市, not 内子.
constexpr int kCoastFirst = 81;
constexpr int kCoastLast = 91;
constexpr int kIyoshi = 18;

}  // namespace

int stationCount(StationList list) {
    switch (list) {
        case StationList::All:
            return kAllStations;
        case StationList::Express:
            return kExpressStops;
        case StationList::Marine:
            return kMarineStops;
    }
    return 0;
}

bool isValidIndex(StationList list, int index) { return index >= 0 && index < stationCount(list); }

std::string_view stationName(StationList list, int index) {
    const int all = allIndexOf(list, index);
    return all < 0 ? std::string_view{} : kStations[static_cast<std::size_t>(all)].name;
}

std::string_view displayName(StationList list, int index) {
    const int all = allIndexOf(list, index);
    if (all < 0) return {};
    if (list == StationList::Marine && all == kOmoto) return kOmotoMarineDisplay;
    return kStations[static_cast<std::size_t>(all)].display;
}

std::optional<int> findStation(StationList list, std::string_view name) {
    for (int i = 0; i < stationCount(list); ++i)
        if (stationName(list, i) == name || displayName(list, i) == name) return i;
    return std::nullopt;
}

std::optional<int> expressForward(int allIndex) {
    if (!isValidIndex(StationList::All, allIndex)) return std::nullopt;
    for (int i = allIndex; i < kAllStations; ++i) {
        const int stop = kStations[static_cast<std::size_t>(i)].express;
        if (stop >= 0) return stop;
    }
    return std::nullopt;  // unreachable: 宇和島, the last station, is a stop
}

std::optional<int> expressBackward(int allIndex) {
    if (!isValidIndex(StationList::All, allIndex)) return std::nullopt;
    if (allIndex >= kCoastFirst && allIndex <= kCoastLast) return kIyoshi;
    for (int i = allIndex; i >= 0; --i) {
        const int stop = kStations[static_cast<std::size_t>(i)].express;
        if (stop >= 0) return stop;
    }
    return std::nullopt;  // unreachable: 岡山, the first station, is a stop
}

std::optional<int> marineForward(int allIndex) {
    if (allIndex < 0 || allIndex > kLastMarineRegionIndex) return std::nullopt;
    return kMarineMaps[static_cast<std::size_t>(allIndex)].forward;
}

std::optional<int> marineBackward(int allIndex, int otherEnd) {
    if (allIndex < 0 || allIndex > kLastMarineRegionIndex) return std::nullopt;
    const MarineMapRow& row = kMarineMaps[static_cast<std::size_t>(allIndex)];
    return otherEnd < kTakamatsu ? row.backwardFromHonshu : row.backwardOtherwise;
}

}  // namespace mkd
