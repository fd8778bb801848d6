// Finding a station by what a person types: its name, its reading or its
// Latin spelling, in any width or case, with or without the 伊予/讃岐/備中
// in front. The Latin spellings come from the readings through ICU's
// Hiragana-Latin transliteration; they are made on the first call, never at
// start-up.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/stations.hpp"

namespace mkd {

// The Latin spellings of one station of the all-station list.
struct StationRomaji {
    std::string transliterated;  // ICU's spelling of the kana: "iyosaijou", "kan'onji"
    std::string folded;  // as people type it: "iyosaijo", "kanonji"
    std::string english;  // as on the station's signs: "Iyo-Saijo", "Kan-onji"
};

// Empty spellings for an invalid index.
const StationRomaji& stationRomaji(int allIndex);

// Typed text brought to one form: full-width letters and half-width kana to
// their usual width, katakana to hiragana, lower case, every blank (also the
// ideographic one of the display names, 岡　山) left out.
std::string normaliseTyped(std::string_view typed);

// Latin text folded as people spell it: long vowels (oo, ou, uu) and macrons
// collapsed, apostrophes, hyphens and spaces dropped. Kana and kanji pass
// unchanged.
std::string foldLatin(std::string_view latin);

// Lower-case Latin text as the sounds it spells, one form for every way of
// writing them: Hepburn, Kunrei and Nihon-shiki (shi/si, chi/ti, tsu/tu,
// fu/hu, ji/zi/di, zu/du, sha/sya, cha/tya, ja/zya/jya), long vowels
// written or not (oo, ou, oh, ō, â), n, nn and n' for ん, a doubled
// consonant or none (bitchu, bichu), hyphens and blanks. Two spellings of
// one name have one key; the key of text still being typed begins the key
// of what it will become. Kana and kanji pass unchanged.
std::string spellingKey(std::string_view latin);

// The positions in `list` of the stations whose name, reading or Latin
// spelling (compared by spelling key) contains `typed`, best first: an exact
// match, then those that begin with it (also after a 伊予/讃岐/備中/備前 in
// front), then the rest; in each group the ends of the corridor's trains
// (岡山, 高松, 松山, 宇和島) first, then the limited-express stops, then list
// order. When nothing fits, a station word after the name (岡山駅,
// "okayama eki", "Okayama station") is left out. Nothing for empty text.
std::vector<int> searchStations(StationList list, std::string_view typed);

// The one station of `list` meant by `typed`: its name or display name, an
// exact name, reading or spelling, or else the only station that matches at
// all. Nothing when no station or several match.
std::optional<int> stationByAnyName(StationList list, std::string_view typed);

}  // namespace mkd
