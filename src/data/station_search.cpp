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

// Everything one station can be found by, in the typed form.
struct Keys {
    std::string name, nameRest;        // 伊予西条, 西条
    std::string reading, readingRest;  // いよさいじょう, さいじょう
    std::string latin, latinRest;      // iyosaijou, saijou
    std::string folded, foldedRest;    // iyosaijo, saijo
    std::string foldedSign;            // the sign's spelling, folded
    StationRomaji romaji;
};

struct AllKeys {
    std::array<Keys, kAllStations> stations;
    StationRomaji none;
};

const AllKeys& allKeys() {
    static const AllKeys keys = [] {
        AllKeys all;
        for (int i = 0; i < kAllStations; ++i) {
            Keys& k = all.stations[static_cast<std::size_t>(i)];
            const std::string_view name = stationName(StationList::All, i);
            const std::string_view reading = stationReading(i);
            k.name = normaliseTyped(name);
            k.reading = std::string(reading);
            k.latin = toLatin()(reading);
            k.folded = foldLatin(k.latin);
            k.romaji = {k.latin, k.folded, signName(i)};
            k.foldedSign = foldLatin(normaliseTyped(k.romaji.english));
            if (const Province* p = provinceOf(name, reading)) {
                k.nameRest = normaliseTyped(name.substr(p->name.size()));
                k.readingRest = std::string(reading.substr(p->reading.size()));
                k.latinRest = toLatin()(k.readingRest);
                k.foldedRest = foldLatin(k.latinRest);
            }
        }
        return all;
    }();
    return keys;
}

enum Rank { Exact, Begins, Contains, NoMatch };

Rank rank(const Keys& k, const std::string& typed, const std::string& folded) {
    const auto check = [](const std::string& key, const std::string& text, bool whole) {
        if (text.empty() || key.empty()) return NoMatch;
        if (whole && key == text) return Exact;
        if (key.starts_with(text)) return Begins;
        return key.find(text) != std::string::npos ? Contains : NoMatch;
    };
    Rank best = NoMatch;
    const auto consider = [&](const std::string& key, const std::string& text, bool whole) {
        best = std::min(best, check(key, text, whole));
    };
    for (const std::string* key : {&k.name, &k.reading, &k.latin}) consider(*key, typed, true);
    for (const std::string* key : {&k.folded, &k.foldedSign}) consider(*key, folded, true);
    // Without the province in front: "saijo" begins 伊予西条 as much as 西条.
    for (const std::string* key : {&k.nameRest, &k.readingRest, &k.latinRest}) consider(*key, typed, false);
    consider(k.foldedRest, folded, false);
    return best;
}

}  // namespace

const StationRomaji& stationRomaji(int allIndex) {
    const AllKeys& keys = allKeys();
    return isValidIndex(StationList::All, allIndex) ? keys.stations[static_cast<std::size_t>(allIndex)].romaji
                                                    : keys.none;
}

std::string normaliseTyped(std::string_view typed) {
    std::string text = toTypedForm()(typed);
    const auto notSpace = [](unsigned char c) { return c != ' ' && c != '\t'; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

std::string foldLatin(std::string_view latin) {
    std::string s(latin);
    // Macrons and circumflexes mark long vowels: ō, ô are o.
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
    std::erase_if(s, [](char c) { return c == '\'' || c == '-' || c == ' '; });
    hepburnConsonants(s);
    // The spellings typed on a keyboard's kana input (matuyama, sinyasiki)
    // read as Hepburn; none of these pairs occurs in Hepburn itself.
    for (auto [from, to] : {std::pair{"si", "shi"}, {"ti", "chi"}, {"tu", "tsu"}, {"zi", "ji"}, {"cch", "tch"}})
        replaceAll(s, from, to);
    // Long vowels: every run of oo, ou, uu is one vowel, so that iyooohira
    // (伊予大平) and the typed iyoohira meet.
    for (bool changed = true; changed;) {
        const std::size_t before = s.size();
        replaceAll(s, "oo", "o");
        replaceAll(s, "ou", "o");
        replaceAll(s, "uu", "u");
        changed = s.size() != before;
    }
    return s;
}

std::vector<int> searchStations(StationList list, std::string_view typed) {
    const std::string text = normaliseTyped(typed);
    if (text.empty()) return {};
    const std::string folded = foldLatin(text);
    const AllKeys& keys = allKeys();
    std::array<std::vector<int>, NoMatch> groups;
    for (int i = 0; i < stationCount(list); ++i) {
        const std::optional<int> all = findStation(StationList::All, stationName(list, i));
        if (!all) continue;
        const Rank r = rank(keys.stations[static_cast<std::size_t>(*all)], text, folded);
        if (r != NoMatch) groups[r].push_back(i);
    }
    std::vector<int> found;
    for (const auto& group : groups) found.insert(found.end(), group.begin(), group.end());
    return found;
}

std::optional<int> stationByAnyName(StationList list, std::string_view typed) {
    if (auto exact = findStation(list, typed)) return exact;
    const std::string text = normaliseTyped(typed);
    const std::string folded = foldLatin(text);
    std::vector<int> exact;
    std::vector<int> any;
    for (int i : searchStations(list, typed)) {
        const std::optional<int> all = findStation(StationList::All, stationName(list, i));
        if (rank(allKeys().stations[static_cast<std::size_t>(*all)], text, folded) == Exact) exact.push_back(i);
        any.push_back(i);
    }
    if (exact.size() == 1) return exact.front();
    if (exact.empty() && any.size() == 1) return any.front();
    return std::nullopt;
}

}  // namespace mkd
