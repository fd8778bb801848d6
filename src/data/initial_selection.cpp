#include "data/initial_selection.hpp"

#include <cmath>

#include "data/cell_value.hpp"
#include "data/stations.hpp"

namespace mkd {

namespace {

// The file holds two cells, each a record of its own: "3,20" is the
// departure's record followed by the arrival's.
constexpr int kCells = 2;

// Nearest whole number, a half going to the even neighbour (2.5 → 2, 3.5 → 4),
// whatever rounding mode the floating-point unit happens to be in.
double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace

LoadResult readInitialSelection(std::string_view bytes, std::string cells[2]) {
    return readRecords(bytes, kCells, 1,
                       [cells](int record, int, std::string_view text) { cells[record] = std::string(text); });
}

int selectionPosition(const std::string& cell, int fallback) {
    const double position = roundHalfToEven(cellValue(cell));
    // Compared as a double, so that no value is converted outside int's range.
    if (!(position >= 0.0 && position <= static_cast<double>(kAllStations - 1))) return fallback;
    return static_cast<int>(position);
}

std::string formatInitialSelection(int departure, int arrival) {
    return std::to_string(departure) + "," + std::to_string(arrival) + "\r\n";
}

}  // namespace mkd
