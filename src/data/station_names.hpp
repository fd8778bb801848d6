// Every name of a station in one record: as the tables write it, as a label
// shows it, as it is read and as its signs spell it in Latin letters. The
// spellings people type (romaji in its several forms) are the search's
// business (station_search.hpp).
#pragma once

#include <string_view>

#include "data/stations.hpp"

namespace mkd {

struct StationNames {
    std::string_view name;  // "伊予西条", as in the lists and the tables
    std::string_view display;  // "岡　山", as the result screens show it
    std::string_view reading;  // "いよさいじょう"
    std::string_view english;  // "Iyo-Saijo", as on its signs
};

// Every name of a station of `list`; empty names for an invalid index.
StationNames namesOf(StationList list, int index);

// The sign spelling of a station of `list` ("Okayama", "Iyo-Saijo"); "" for
// an invalid index.
std::string_view englishName(StationList list, int index);

}  // namespace mkd
