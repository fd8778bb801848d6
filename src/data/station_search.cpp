#include "data/station_search.hpp"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <memory>

#include "data/station_readings.hpp"

namespace mkd {

namespace {

// An ICU transliterator by its id, made once. A transliterator that cannot
// be made (an ICU without its data) leaves text as it is, so that searching
// by name still works.
class Transform {
public:
    explicit Transform(const char* id) {
        UErrorCode status = U_ZERO_ERROR;
        t_.reset(icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
        if (U_FAILURE(status)) t_.reset();
    }
    std::string operator()(std::string_view text) const {
        icu::UnicodeString u =
            icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
        if (t_) t_->transliterate(u);
        std::string out;
        u.toUTF8String(out);
        return out;
    }

private:
    std::unique_ptr<icu::Transliterator> t_;
};

const Transform& toLatin() {
    static const Transform t("Hiragana-Latin");
    return t;
}

const Transform& toTypedForm() {
    static const Transform t("NFKC; Katakana-Hiragana; Any-Lower");
    return t;
}

// The old provinces written in front of many names: 伊予西条 is 西条 in
// 伊予. On signs the part after them is a word of its own (Iyo-Saijo); one
// character after them is part of a town's name instead (伊予市 Iyoshi).
struct Province {
    std::string_view name;
    std::string_view reading;
};
constexpr std::array<Province, 4> kProvinces{
    {{"伊予", "いよ"}, {"讃岐", "さぬき"}, {"備中", "びっちゅう"}, {"備前", "びぜん"}}};

std::size_t codePoints(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

const Province* provinceOf(std::string_view name, std::string_view reading) {
    for (const Province& p : kProvinces)
        if (name.starts_with(p.name) && reading.starts_with(p.reading) && codePoints(name.substr(p.name.size())) >= 2)
            return &p;
    return nullptr;
}

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

// ICU writes づ and ぢ as dzu and dji, which Hepburn writes zu and ji.
void hepburnConsonants(std::string& s) {
    replaceAll(s, "dz", "z");
    replaceAll(s, "dj", "j");
}

// Macrons and circumflexes mark long vowels: ō, ô are o. Apostrophes,
// hyphens and blanks only part words.
std::string withoutMarks(std::string_view latin) {
    std::string s(latin);
    for (auto [from, to] : {std::pair{"ā", "a"},
                            {"ī", "i"},
                            {"ū", "u"},
                            {"ē", "e"},
                            {"ō", "o"},
                            {"â", "a"},
                            {"î", "i"},
                            {"û", "u"},
                            {"ê", "e"},
                            {"ô", "o"}})
        replaceAll(s, from, to);
    std::erase_if(s, [](char c) { return c == '\'' || c == '-' || c == ' ' || c == '.'; });
    return s;
}

// Long vowels written once: every run of oo, ou, uu is one vowel, so that
// iyooohira (伊予大平) and the typed iyoohira meet; `all` also takes aa,
// ii, ee, which a spelling key does not tell apart either.
void collapseLongVowels(std::string& s, bool all) {
    for (bool changed = true; changed;) {
        const std::size_t before = s.size();
        replaceAll(s, "oo", "o");
        replaceAll(s, "ou", "o");
        replaceAll(s, "uu", "u");
        if (all) {
            replaceAll(s, "aa", "a");
            replaceAll(s, "ii", "i");
            replaceAll(s, "ee", "e");
        }
        changed = s.size() != before;
    }
}

// A sign's spelling of one word: long vowels written once, reading from the
// left (おおうら is Oura: the second o goes with the first, the u stays), ん
// before a vowel kept apart by a hyphen (Kan-onji), first letter upper case.
std::string signWord(std::string_view kana) {
    std::string latin = toLatin()(kana);
    hepburnConsonants(latin);
    std::string word;
    for (std::size_t i = 0; i < latin.size(); ++i) {
        const char c = latin[i];
        word += c == '\'' ? '-' : c;
        const char next = i + 1 < latin.size() ? latin[i + 1] : '\0';
        if ((c == 'o' && (next == 'o' || next == 'u')) || (c == 'u' && next == 'u')) ++i;
    }
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::string signName(int allIndex) {
    std::string_view marked = markedReading(allIndex);
    std::string result;
    if (const Province* p = provinceOf(stationName(StationList::All, allIndex), marked)) {
        result = signWord(p->reading) + "-";
        marked.remove_prefix(p->reading.size());
    }
    // A word after "-" keeps its capital (Kita-Uwajima); one after "|" is
    // written on without it (Minoura, Senoo).
    char mark = '-';
    while (true) {
        const std::size_t end = marked.find_first_of("|-");
        std::string word = signWord(marked.substr(0, end));
        if (mark == '|' && !word.empty()) word[0] = static_cast<char>(word[0] - 'A' + 'a');
        result += word;
        if (end == std::string_view::npos) break;
        mark = marked[end];
        if (mark == '-') result += '-';
        marked.remove_prefix(end + 1);
    }
    return result;
}

// How long vowels are written in a spelling key: once (kouzai, kozai and
// kōzai are one), once except at the end of the text, or as written.
enum class Vowels { Once, OnceButLast, AsWritten };

// The sounds Latin text spells, as Kunrei writes them (see spellingKey).
std::string soundsOf(std::string_view latin, Vowels vowels) {
    const std::string s = withoutMarks(latin);
    const auto at = [&](std::size_t i) { return i < s.size() ? s[i] : '\0'; };
    const auto vowel = [](char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; };
    const auto consonant = [&](char c) { return c >= 'a' && c <= 'z' && !vowel(c); };
    std::string k;
    // One sound at a time, left to right, written as Kunrei writes it. A
    // sound cut short at the end of the text ("sh", "ch", "ts", "j") is
    // written as the part every spelling of it begins with, so that text
    // being typed still finds what it will become.
    const auto palatal = [&](std::size_t& i, std::size_t len, const char* kunrei, char base) {
        const char next = at(i + len);
        if (next == 'i') {
            k += base;
        } else if (next == 'y') {
            k += kunrei;
            ++i;  // the y is already written
        } else if (vowel(next)) {
            k += kunrei;
        } else {
            k += base;
        }
        i += len;
    };
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i], next = at(i + 1);
        // A doubled consonant (small っ) is written once: bitchu, bittyu and
        // the bichu people type meet.
        // A run of n is one n: n, nn and n' are ん as Hepburn, a kana
        // keyboard and ICU write it.
        if (consonant(c) && (next == c || (c == 't' && next == 'c'))) {
            ++i;
            continue;
        }
        if (c == 'm' && (next == 'b' || next == 'p' || next == 'm')) {
            k += 'n';  // ん before b, p, m, as older Hepburn writes it
            ++i;
        } else if (c == 's' && next == 'h') {
            palatal(i, 2, "sy", 's');
        } else if (c == 'c' && next == 'h') {
            palatal(i, 2, "ty", 't');
        } else if (c == 'c' && (next == 'y' || next == '\0')) {
            palatal(i, 1, "ty", 't');
        } else if (c == 'j' || (c == 'd' && next == 'j')) {
            palatal(i, c == 'd' ? 2 : 1, "zy", 'z');
        } else if (c == 'd' && (next == 'z' || next == 'i' || next == 'u' || next == 'y')) {
            k += 'z';  // ぢ, づ: di, du (Nihon-shiki) and dji, dzu (ICU) are ji, zu
            i += next == 'z' ? 2 : 1;
        } else if (c == 't' && next == 's' && (at(i + 2) == 'u' || at(i + 2) == '\0')) {
            k += 't';
            i += 2;
        } else if (c == 'f' && (next == 'u' || next == '\0')) {
            k += 'h';
            ++i;
        } else if (c == 'o' && next == 'h' && !vowel(at(i + 2)) && at(i + 2) != 'y' && at(i + 2) != '\0') {
            k += 'o';  // oh before a consonant is a long o (Ohzu)
            i += 2;
        } else {
            k += c;
            ++i;
        }
    }
    if (vowels == Vowels::AsWritten) return k;
    // Long vowels at the end kept as written: the last run of vowels.
    std::size_t tail = k.size();
    if (vowels == Vowels::OnceButLast)
        while (tail > 0 && vowel(k[tail - 1])) --tail;
    std::string head = k.substr(0, tail);
    collapseLongVowels(head, true);
    return head + k.substr(tail);
}

// Kana written two ways for one sound: づ and ず, ぢ and じ.
std::string foldKana(std::string s) {
    replaceAll(s, "づ", "ず");
    replaceAll(s, "ぢ", "じ");
    return s;
}

// Everything one station can be found by, in the typed form.
struct Keys {
    std::string name, nameRest;  // 伊予西条, 西条
    std::string reading, readingRest;  // いよさいじょう, さいじょう
    std::string latin, latinRest;  // spelling keys: iyosaizyo, saizyo
    std::string spelt, speltRest;  // the same with long vowels as the kana write them: iyosaizyou
    std::string sign;  // the sign's spelling as a spelling key
    bool express = false;  // a limited-express stop
    bool terminus = false;  // where the corridor's trains start and end
    StationRomaji romaji;
};

struct AllKeys {
    std::array<Keys, kAllStations> stations;
    StationRomaji none;
};

// The ends of the corridor and of its trains: the likeliest stations to be
// meant by a short text.
constexpr std::array<std::string_view, 4> kTermini{"岡山", "高松", "松山", "宇和島"};

const AllKeys& allKeys() {
    static const AllKeys keys = [] {
        AllKeys all;
        for (int i = 0; i < kAllStations; ++i) {
            Keys& k = all.stations[static_cast<std::size_t>(i)];
            const std::string_view name = stationName(StationList::All, i);
            const std::string_view reading = stationReading(i);
            k.name = normaliseTyped(name);
            k.reading = foldKana(std::string(reading));
            const std::string latin = toLatin()(reading);
            k.latin = spellingKey(latin);
            k.spelt = soundsOf(latin, Vowels::AsWritten);
            k.romaji = {latin, foldLatin(latin), signName(i)};
            k.sign = spellingKey(normaliseTyped(k.romaji.english));
            k.express = findStation(StationList::Express, name).has_value();
            k.terminus = std::find(kTermini.begin(), kTermini.end(), name) != kTermini.end();
            if (const Province* p = provinceOf(name, reading)) {
                k.nameRest = normaliseTyped(name.substr(p->name.size()));
                k.readingRest = foldKana(std::string(reading.substr(p->reading.size())));
                const std::string rest = toLatin()(reading.substr(p->reading.size()));
                k.latinRest = spellingKey(rest);
                k.speltRest = soundsOf(rest, Vowels::AsWritten);
            }
        }
        return all;
    }();
    return keys;
}

// How well typed text fits a station, best first: its whole name, reading
// or spelling; the beginning of them; the beginning of what follows the
// province in front (saijo for 伊予西条); anywhere in them.
enum Rank { Exact, Begins, BeginsAfterProvince, Contains, NoMatch };

// One form of typed text to compare: `whole` when it may equal a station's
// key, not only begin it (text that ends in the middle of a sound may not).
struct TypedKey {
    std::string key;
    bool whole = true;
};

// Typed text in the forms it is compared in.
struct Typed {
    std::string text;  // normalised, blanks out, for names and readings
    std::vector<TypedKey> keys;
};

// The spelling keys of typed text. Long vowels at its end are kept as typed
// (minou may go on to Minoura, not stop at Mino); a sound cut short at its
// end (sh, ch, j) is both the i and the y sound it may become.
Typed typedForms(std::string_view normalised, Vowels vowels) {
    Typed t{std::string(normalised), {}};
    std::erase_if(t.text, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
    t.text = foldKana(std::move(t.text));
    for (std::string_view cut : {"sh", "ch", "j"})
        if (t.text.ends_with(cut)) {
            t.keys.push_back({soundsOf(t.text + "i", vowels), false});
            std::string y = soundsOf(t.text + "a", vowels);
            y.pop_back();
            t.keys.push_back({std::move(y), false});
            return t;
        }
    t.keys.push_back({soundsOf(t.text, vowels), true});
    return t;
}

Rank rank(const Keys& k, const Typed& typed) {
    const auto check = [](const std::string& key, const std::string& text, bool whole, Rank begins) {
        if (text.empty() || key.empty()) return NoMatch;
        if (whole && key == text) return Exact;
        if (key.starts_with(text)) return begins;
        return key.find(text) != std::string::npos ? Contains : NoMatch;
    };
    Rank best = NoMatch;
    const auto consider = [&](const std::string& key, const std::string& text, bool whole, Rank begins = Begins) {
        best = std::min(best, check(key, text, whole, begins));
    };
    consider(k.name, typed.text, true);
    consider(k.reading, typed.text, true);
    consider(k.nameRest, typed.text, false, BeginsAfterProvince);
    consider(k.readingRest, typed.text, false, BeginsAfterProvince);
    for (const TypedKey& t : typed.keys) {
        for (const std::string* key : {&k.latin, &k.spelt, &k.sign}) consider(*key, t.key, t.whole);
        for (const std::string* key : {&k.latinRest, &k.speltRest}) consider(*key, t.key, false, BeginsAfterProvince);
    }
    return best;
}

// A station word written after the name: 岡山駅, おかやまえき, "okayama eki",
// "Okayama Station", or the start of one after a blank while it is typed
// ("okayama st"). The name without it; nothing when there is none.
std::optional<std::string> withoutStationWord(std::string_view normalised) {
    std::string_view s = normalised;
    while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.remove_suffix(1);
    for (std::string_view word : {"駅", "えき", "eki", "station"}) {
        if (s.size() > word.size() && s.ends_with(word)) return std::string(s.substr(0, s.size() - word.size()));
        const std::size_t blank = s.rfind(' ');
        if (blank == std::string_view::npos || blank == 0) continue;
        const std::string_view last = s.substr(blank + 1);
        if (!last.empty() && word.starts_with(last)) return std::string(s.substr(0, blank));
    }
    return std::nullopt;
}

struct Found {
    int position;
    Rank rank;
};

// Where each station of `list` stands in the whole list, worked out once:
// a search compares every station, as often as a key is typed.
const std::vector<int>& allPositions(StationList list) {
    static const auto positions = [] {
        std::array<std::vector<int>, 3> out;
        for (const StationList l : {StationList::All, StationList::Express, StationList::Marine})
            for (int i = 0; i < stationCount(l); ++i)
                out[static_cast<std::size_t>(l)].push_back(
                    findStation(StationList::All, stationName(l, i)).value_or(-1));
        return out;
    }();
    return positions[static_cast<std::size_t>(list)];
}

// The stations of `list` that `typed` fits, best first: by how well they
// fit, then the ends of the trains, then the limited-express stops, then in
// list order.
std::vector<Found> matching(StationList list, std::string_view typed) {
    const std::string normalised = toTypedForm()(typed);
    const AllKeys& keys = allKeys();
    const auto fit = [&](std::string_view text, Vowels vowels) {
        const Typed forms = typedForms(text, vowels);
        std::vector<Found> found;
        if (forms.text.empty()) return found;
        const std::vector<int>& all = allPositions(list);
        for (int i = 0; i < static_cast<int>(all.size()); ++i) {
            if (all[static_cast<std::size_t>(i)] < 0) continue;
            const Rank r = rank(keys.stations[static_cast<std::size_t>(all[static_cast<std::size_t>(i)])], forms);
            if (r != NoMatch) found.push_back({i, r});
        }
        return found;
    };
    // Long vowels at the end as typed first; all of them written once if
    // that finds nothing (hoo for ほう).
    std::vector<Found> found = fit(normalised, Vowels::OnceButLast);
    if (found.empty()) found = fit(normalised, Vowels::Once);
    if (found.empty())
        if (const auto name = withoutStationWord(normalised)) found = fit(*name, Vowels::Once);
    const auto standing = [&](const Found& f) {
        const Keys& k =
            keys.stations[static_cast<std::size_t>(allPositions(list)[static_cast<std::size_t>(f.position)])];
        return k.terminus ? 0 : k.express ? 1 : 2;
    };
    std::stable_sort(found.begin(), found.end(), [&](const Found& a, const Found& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        return standing(a) < standing(b);
    });
    return found;
}

}  // namespace

const StationRomaji& stationRomaji(int allIndex) {
    const AllKeys& keys = allKeys();
    return isValidIndex(StationList::All, allIndex) ? keys.stations[static_cast<std::size_t>(allIndex)].romaji
                                                    : keys.none;
}

std::string normaliseTyped(std::string_view typed) {
    std::string text = toTypedForm()(typed);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
    return text;
}

std::string foldLatin(std::string_view latin) {
    std::string s = withoutMarks(latin);
    hepburnConsonants(s);
    // The spellings typed on a keyboard's kana input (matuyama, sinyasiki)
    // read as Hepburn; none of these pairs occurs in Hepburn itself.
    for (auto [from, to] : {std::pair{"si", "shi"}, {"ti", "chi"}, {"tu", "tsu"}, {"zi", "ji"}, {"cch", "tch"}})
        replaceAll(s, from, to);
    collapseLongVowels(s, false);
    return s;
}

std::string spellingKey(std::string_view latin) { return soundsOf(latin, Vowels::Once); }

std::vector<int> searchStations(StationList list, std::string_view typed) {
    std::vector<int> found;
    for (const Found& f : matching(list, typed)) found.push_back(f.position);
    return found;
}

std::optional<int> stationByAnyName(StationList list, std::string_view typed) {
    if (auto exact = findStation(list, typed)) return exact;
    const std::vector<Found> found = matching(list, typed);
    const auto exact = std::count_if(found.begin(), found.end(), [](const Found& f) { return f.rank == Exact; });
    if (exact == 1 || found.size() == 1) return found.front().position;
    return std::nullopt;
}

}  // namespace mkd
