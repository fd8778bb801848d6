// How the stations' names are read: the hiragana people type into an input
// method and from which the Latin spellings are made.
#pragma once

#include <string_view>

namespace mkd {

// The reading of a station of the all-station list in hiragana ("うわじま"),
// "" for an invalid index.
std::string_view stationReading(int allIndex);

// The same reading with marks where two words meet, for the Latin spelling
// on signs: "-" where the signs write a hyphen (北宇和島 "きた-うわじま" is
// Kita-Uwajima), "|" where they write the words together but a vowel at the
// end of the first must not be read with the one that starts the second
// (箕浦 "みの|うら" is Minoura, not Minora). The province in front of a name
// (伊予西条 Iyo-Saijo) needs no mark.
std::string_view markedReading(int allIndex);

// The name written beside the reading, to check that both lists agree.
std::string_view readingName(int allIndex);

}  // namespace mkd
