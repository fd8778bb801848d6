// The three fixed station lists of the corridor and the maps between them.
//
// Every price is found by station position: a table cell is addressed by the
// positions of two stations in one of these lists, so their order is the
// meaning of every table index. Nothing here is read from a file.
#pragma once

#include <optional>
#include <string_view>

namespace mkd {

enum class StationList {
    All,  // 107 stations, 岡山 (0) to 宇和島 (106)
    Express,  // the 26 limited-express stops, a subsequence of All
    Marine,  // the 15 Marine Liner stops, 岡山 – 児島 – 坂出 – 高松
};

inline constexpr int kAllStations = 107;
inline constexpr int kExpressStops = 26;
inline constexpr int kMarineStops = 15;

// Express-stop index of 松山, where a change of trains splits the charge.
inline constexpr int kMatsuyama = 17;

int stationCount(StationList list);
bool isValidIndex(StationList list, int index);

// Plain name as shown in the drop-down lists; "" for an invalid index.
std::string_view stationName(StationList list, int index);

// The spaced-out form shown on the result screens ("岡　山", "　大元", "串");
// "" for an invalid index. The Marine list has its own forms (大元 is "大　元").
std::string_view displayName(StationList list, int index);

// The index of the station whose plain or display name is `name`, if any.
std::optional<int> findStation(StationList list, std::string_view name);

// All-station index to express-stop index. The lower-index end of a journey
// goes through the forward map, the higher-index end through the backward map.
// An index outside 0..106 yields no stop.
std::optional<int> expressForward(int allIndex);
std::optional<int> expressBackward(int allIndex);

// All-station index (0..20 only) to Marine stop index, by the same rule.
// Two rows of the backward map depend on the journey's other end (its
// lower-index end): 讃岐府中 and 八十場 map differently when the other end
// lies on the Honshu side (below 高松, index 12).
std::optional<int> marineForward(int allIndex);
std::optional<int> marineBackward(int allIndex, int otherEnd);

}  // namespace mkd
