// How the stations' names are read: the hiragana people type into an input
// method and from which the Latin spellings are made.
#pragma once

#include <string_view>

namespace mkd {

// The reading of a station of the all-station list in hiragana ("うわじま"),
// "" for an invalid index.
std::string_view stationReading(int allIndex);

// The same reading with "|" where two words meet and a vowel at the end of
// the first must not be read together with the one that starts the second
// (下宇和 "しも|うわ" is Shimouwa, not Shimowa). Only the Latin spellings use
// the marks.
std::string_view markedReading(int allIndex);

// The name written beside the reading, to check that both lists agree.
std::string_view readingName(int allIndex);

}  // namespace mkd
