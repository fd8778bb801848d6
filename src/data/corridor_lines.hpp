// The corridor's lines and where they meet, in all-station indices.
//
// The line from 岡山 (宇野線, 本四備讃線) joins the 予讃線 at 宇多津, between
// 坂出 (towards 高松) and 丸亀 (towards 松山): the chord that lets trains run
// from 児島 to 坂出 without calling there counts as part of 宇多津. Between
// 向井原 and 伊予大洲 the 予讃線 runs two ways: inland by 内子 and 新谷, and
// along the coast by 下灘 and 伊予長浜.
#pragma once

#include <vector>

namespace mkd {

// The junction stations.
inline constexpr int kUtazu = 21;
inline constexpr int kMukaibara = 73;
inline constexpr int kIyoOzu = 92;

// Every way along the lines from `from` to `to` that passes no station
// twice, each as the stations passed in travel order, both ends included:
// one way, or two where the journey crosses 向井原 – 伊予大洲; none for an
// invalid index, and {from} alone when both are the same station.
std::vector<std::vector<int>> waysBetween(int from, int to);

}  // namespace mkd
