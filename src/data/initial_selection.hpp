// The initial-selection file Untin/Henko.txt: the pair of start-screen
// stations to preselect, written as one line "d,a" plus CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/table_reader.hpp"

namespace mkd {

struct StationPair {
    int departure = 0;
    int arrival = 0;
};

// The pair shown when Henko.txt is missing: the two ends of the corridor.
inline constexpr StationPair kDefaultPair{0, 106};

// Reads the file's text: records of one field each, at most two of them.
// `cells` receives the two cell texts (cell 1 stays "" for a one-line file).
LoadResult readInitialSelection(std::string_view bytes, std::string cells[2]);

// A cell as a list position: the numeric reading rounded to the nearest whole
// number, halves to the even neighbour. A value outside 0..106 (a hand-edited
// file) gives `fallback`, so the start screen always gets a valid position.
int selectionPosition(const std::string& cell, int fallback);

// The file's text for a pair: "3,20\r\n".
std::string formatInitialSelection(int departure, int arrival);

}  // namespace mkd
