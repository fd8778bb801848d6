#include "data/corridor_lines.hpp"

#include <array>
#include <initializer_list>

#include "data/stations.hpp"

namespace mkd {

namespace {

// Runs of consecutive stations along one line, from one end or junction to
// the next.
std::vector<std::vector<int>> lineRuns() {
    const auto run = [](int first, int last) {
        std::vector<int> stations;
        for (int i = first; i <= last; ++i) stations.push_back(i);
        return stations;
    };
    const auto then = [](std::vector<int> stations, std::initializer_list<int> more) {
        stations.insert(stations.end(), more);
        return stations;
    };
    return {
        then(run(0, 11), {kUtazu}),  // 岡山 – 児島 – 宇多津
        then(run(12, 20), {kUtazu}),  // 高松 – 坂出 – 宇多津
        run(kUtazu, kMukaibara),  // 宇多津 – 松山 – 向井原
        then(then({kMukaibara}, {74, 75, 76, 77, 78, 79, 80}), {kIyoOzu}),  // inland, by 内子
        then(then({kMukaibara}, {81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91}), {kIyoOzu}),  // the coast
        run(kIyoOzu, kAllStations - 1),  // 伊予大洲 – 宇和島
    };
}

// Up to three neighbours a station (the junctions have three).
struct Neighbours {
    std::array<int, 3> of{-1, -1, -1};
    int count = 0;
};

const std::array<Neighbours, kAllStations>& neighbours() {
    static const std::array<Neighbours, kAllStations> graph = [] {
        std::array<Neighbours, kAllStations> g{};
        const auto link = [&g](int a, int b) {
            Neighbours& n = g[static_cast<std::size_t>(a)];
            n.of[static_cast<std::size_t>(n.count++)] = b;
        };
        for (const auto& r : lineRuns())
            for (std::size_t i = 1; i < r.size(); ++i) {
                link(r[i - 1], r[i]);
                link(r[i], r[i - 1]);
            }
        return g;
    }();
    return graph;
}

void walk(int at, int to, std::vector<int>& path, std::array<bool, kAllStations>& passed,
          std::vector<std::vector<int>>& ways) {
    path.push_back(at);
    passed[static_cast<std::size_t>(at)] = true;
    if (at == to) {
        ways.push_back(path);
    } else {
        const Neighbours& n = neighbours()[static_cast<std::size_t>(at)];
        for (int k = 0; k < n.count; ++k) {
            const int next = n.of[static_cast<std::size_t>(k)];
            if (!passed[static_cast<std::size_t>(next)]) walk(next, to, path, passed, ways);
        }
    }
    passed[static_cast<std::size_t>(at)] = false;
    path.pop_back();
}

}  // namespace

std::vector<std::vector<int>> waysBetween(int from, int to) {
    std::vector<std::vector<int>> ways;
    if (!isValidIndex(StationList::All, from) || !isValidIndex(StationList::All, to)) return ways;
    std::vector<int> path;
    std::array<bool, kAllStations> passed{};
    walk(from, to, path, passed, ways);
    return ways;
}

}  // namespace mkd
