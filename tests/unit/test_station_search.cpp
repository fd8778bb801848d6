#include "data/station_names.hpp"
#include "data/station_search.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/station_readings.hpp"

namespace mkd {
namespace {

int allIndex(std::string_view name) { return findStation(StationList::All, name).value_or(-1); }

std::vector<std::string_view> names(StationList list, const std::vector<int>& positions) {
    std::vector<std::string_view> out;
    for (int p : positions) out.push_back(stationName(list, p));
    return out;
}

bool allHiragana(std::string_view s) {
    // Hiragana are U+3041..U+309F: E3 81 81 .. E3 82 9F in UTF-8.
    if (s.empty() || s.size() % 3) return false;
    for (std::size_t i = 0; i < s.size(); i += 3) {
        const auto b0 = static_cast<unsigned char>(s[i]), b1 = static_cast<unsigned char>(s[i + 1]);
        if (b0 != 0xE3 || (b1 != 0x81 && b1 != 0x82)) return false;
    }
    return true;
}

TEST(StationReadings, EveryStationHasOneInHiraganaBesideItsName) {
    for (int i = 0; i < kAllStations; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(readingName(i), stationName(StationList::All, i));
        EXPECT_TRUE(allHiragana(stationReading(i))) << stationReading(i);
    }
    EXPECT_EQ(stationReading(kAllStations), "");
    EXPECT_EQ(stationReading(-1), "");
}

TEST(StationReadings, TheOnesNobodyGuesses) {
    const struct {
        std::string_view name, reading;
    } rows[] = {
        {"八十場", "やそば"},   {"壬生川", "にゅうがわ"},   {"五十崎", "いかざき"},   {"伊予石城", "いよいわき"},
        {"久々原", "くぐはら"}, {"妹尾", "せのお"},         {"新谷", "にいや"},       {"千丈", "せんじょう"},
        {"大元", "おおもと"},   {"香西", "こうざい"},       {"観音寺", "かんおんじ"}, {"伊予北条", "いよほうじょう"},
        {"下宇和", "しもうわ"}, {"上の町", "かみのちょう"}, {"国分", "こくぶ"},       {"宇多津", "うたづ"}};
    for (const auto& r : rows) EXPECT_EQ(stationReading(allIndex(r.name)), r.reading) << r.name;
}

TEST(StationRomaji, SignSpellings) {
    const struct {
        std::string_view name, english;
    } rows[] = {{"岡山", "Okayama"},
                {"伊予西条", "Iyo-Saijo"},
                {"観音寺", "Kan-onji"},
                {"妹尾", "Senoo"},
                {"下宇和", "Shimo-Uwa"},
                {"箕浦", "Minoura"},
                {"大浦", "Oura"},
                {"伊予大平", "Iyo-Ohira"},
                {"伊予市", "Iyoshi"},
                {"北宇和島", "Kita-Uwajima"},
                {"備中箕島", "Bitchu-Mishima"},
                {"備前西市", "Bizen-Nishiichi"},
                {"讃岐府中", "Sanuki-Fuchu"},
                {"宇多津", "Utazu"},
                {"石鎚山", "Ishizuchiyama"},
                {"壬生川", "Nyugawa"},
                {"香西", "Kozai"},
                {"大元", "Omoto"},
                {"伊予北条", "Iyo-Hojo"},
                {"上の町", "Kaminocho"},
                {"宇和島", "Uwajima"}};
    for (const auto& r : rows) EXPECT_EQ(stationRomaji(allIndex(r.name)).english, r.english) << r.name;
    // ICU's spelling of the kana is kept beside the folded one.
    EXPECT_EQ(stationRomaji(allIndex("伊予西条")).transliterated, "iyosaijou");
    EXPECT_EQ(stationRomaji(allIndex("伊予西条")).folded, "iyosaijo");
    EXPECT_EQ(englishName(StationList::Express, kMatsuyama), "Matsuyama");
    EXPECT_EQ(englishName(StationList::Marine, 99), "");
}

TEST(StationSearch, FindsByNameReadingOrSpellingBestFirst) {
    const struct {
        std::string_view typed;
        std::vector<std::string_view> found;
    } rows[] = {
        // Those that begin with the text come first, the ends of the trains
        // and the limited-express stops first among them, then those where
        // it begins the name after the province, then those that contain it.
        {"matsu", {"松山", "高松", "植松", "伊予小松"}},
        {"uwa", {"宇和島", "上宇和", "下宇和", "北宇和島"}},
        {"saijo", {"伊予西条"}},
        {"xyz", {}},
        {"", {}},
        {"　", {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(names(StationList::All, searchStations(StationList::All, r.typed)), r.found) << r.typed;
}

TEST(StationSearch, EveryWayOfWritingFindsTheStationFirst) {
    const struct {
        std::string_view typed, first;
    } rows[] = {
        {"uwajima", "宇和島"},
        {"うわじま", "宇和島"},
        {"ウワジマ", "宇和島"},
        {"宇和島", "宇和島"},
        {"ＵＷＡＪＩＭＡ", "宇和島"},
        {"ｳﾜｼﾞﾏ", "宇和島"},
        {"Uwajima", "宇和島"},
        {"いよし", "伊予市"},
        {"nyugawa", "壬生川"},
        {"nyuugawa", "壬生川"},
        {"nyūgawa", "壬生川"},
        {"kanonji", "観音寺"},
        {"kan'onji", "観音寺"},
        {"Kan-onji", "観音寺"},
        {"matuyama", "松山"},
        {"鳥の木", "鳥ノ木"},
        {"iyo-ohira", "伊予大平"},
        {"ohira", "伊予大平"},
        {"西条", "伊予西条"},
        {"hojo", "伊予北条"},
        {" みの ", "みの"},
        {"senoo", "妹尾"},
        {"utazu", "宇多津"},
        {"bicchu", "備中箕島"},
        {"u", "宇和島"},
        {"ma", "松山"},
    };
    for (const auto& r : rows) {
        const std::vector<int> found = searchStations(StationList::All, r.typed);
        ASSERT_FALSE(found.empty()) << r.typed;
        EXPECT_EQ(stationName(StationList::All, found.front()), r.first) << r.typed;
    }
}

TEST(StationSearch, OnlyAmongTheStationsOfTheList) {
    EXPECT_EQ(names(StationList::Express, searchStations(StationList::Express, "uwa")),
              (std::vector<std::string_view>{"宇和島"}));
    EXPECT_EQ(names(StationList::Marine, searchStations(StationList::Marine, "matsu")),
              (std::vector<std::string_view>{"高松", "植松"}));
}

// Every reading and every spelling made from it finds its own station first.
TEST(StationSearch, EveryReadingRoundTrips) {
    for (int i = 0; i < kAllStations; ++i) {
        const StationRomaji& r = stationRomaji(i);
        // The data layer's sign spellings are these, kept without ICU.
        EXPECT_EQ(namesOf(StationList::All, i).english, r.english);
        for (const std::string& typed : {std::string(stationReading(i)), r.transliterated, r.folded, r.english}) {
            const std::vector<int> found = searchStations(StationList::All, typed);
            ASSERT_FALSE(found.empty()) << typed;
            EXPECT_EQ(found.front(), i) << typed << " finds " << stationName(StationList::All, found.front());
        }
    }
}

// Three ways of typing every station: Hepburn as people type it (long vowels
// unmarked), Kunrei or Nihon-shiki as a kana keyboard's romaji or a school
// teaches it (or capitals, or katakana, where that is the same), and a kana
// keyboard's romaji (nn for ん) or the name with a station word after it.
struct Spellings {
    std::string_view name, hepburn, kunrei, other;
};
constexpr Spellings kSpellings[] = {
    {"岡山", "okayama", "OKAYAMA", "オカヤマ駅"},
    {"大元", "omoto", "oomoto", "Omoto Station"},
    {"備前西市", "bizennishiichi", "bizennisiiti", "bizennnisiiti"},
    {"妹尾", "senoo", "SENOO", "senoo eki"},
    {"備中箕島", "bitchumishima", "bittyuumisima", "ビッチュウミシマ駅"},
    {"早島", "hayashima", "hayasima", "Hayashima Station"},
    {"久々原", "kuguhara", "クグハラ", "kuguhara eki"},
    {"茶屋町", "chayamachi", "tyayamati", "チャヤマチ駅"},
    {"植松", "uematsu", "uematu", "Uematsu Station"},
    {"木見", "kimi", "KIMI", "kimi eki"},
    {"上の町", "kaminocho", "kaminotyou", "カミノチョウ駅"},
    {"児島", "kojima", "kozima", "Kojima Station"},
    {"高松", "takamatsu", "takamatu", "takamatsu eki"},
    {"香西", "kozai", "kouzai", "コウザイ駅"},
    {"鬼無", "kinashi", "kinasi", "Kinashi Station"},
    {"端岡", "hashioka", "hasioka", "hashioka eki"},
    {"国分", "kokubu", "コクブ", "コクブ駅"},
    {"讃岐府中", "sanukifuchu", "sanukihutyuu", "Sanukifuchu Station"},
    {"鴨川", "kamogawa", "カモガワ", "kamogawa eki"},
    {"八十場", "yasoba", "YASOBA", "ヤソバ駅"},
    {"坂出", "sakaide", "サカイデ", "Sakaide Station"},
    {"宇多津", "utazu", "utadu", "utazu eki"},
    {"丸亀", "marugame", "マルガメ", "マルガメ駅"},
    {"讃岐塩屋", "sanukishioya", "sanukisioya", "Sanukishioya Station"},
    {"多度津", "tadotsu", "tadotu", "tadotsu eki"},
    {"海岸寺", "kaiganji", "kaiganzi", "kaigannzi"},
    {"詫間", "takuma", "TAKUMA", "タクマ駅"},
    {"みの", "mino", "ミノ", "Mino Station"},
    {"高瀬", "takase", "TAKASE", "takase eki"},
    {"比地大", "hijidai", "hizidai", "ヒジダイ駅"},
    {"本山", "motoyama", "MOTOYAMA", "Motoyama Station"},
    {"観音寺", "kanonji", "kan'onzi", "kannonnzi"},
    {"豊浜", "toyohama", "トヨハマ", "toyohama eki"},
    {"箕浦", "minoura", "MINOURA", "ミノウラ駅"},
    {"川之江", "kawanoe", "カワノエ", "Kawanoe Station"},
    {"伊予三島", "iyomishima", "iyomisima", "iyomishima eki"},
    {"伊予寒川", "iyosangawa", "IYOSANGAWA", "iyosanngawa"},
    {"赤星", "akaboshi", "akabosi", "アカボシ駅"},
    {"伊予土居", "iyodoi", "IYODOI", "Iyodoi Station"},
    {"関川", "sekikawa", "セキカワ", "sekikawa eki"},
    {"多喜浜", "takihama", "TAKIHAMA", "タキハマ駅"},
    {"新居浜", "niihama", "ニイハマ", "Niihama Station"},
    {"中萩", "nakahagi", "NAKAHAGI", "nakahagi eki"},
    {"伊予西条", "iyosaijo", "iyosaizyou", "イヨサイジョウ駅"},
    {"石鎚山", "ishizuchiyama", "isidutiyama", "Ishizuchiyama Station"},
    {"伊予氷見", "iyohimi", "イヨヒミ", "iyohimi eki"},
    {"伊予小松", "iyokomatsu", "iyokomatu", "イヨコマツ駅"},
    {"玉之江", "tamanoe", "タマノエ", "Tamanoe Station"},
    {"壬生川", "nyugawa", "nyuugawa", "nyugawa eki"},
    {"伊予三芳", "iyomiyoshi", "iyomiyosi", "イヨミヨシ駅"},
    {"伊予桜井", "iyosakurai", "IYOSAKURAI", "Iyosakurai Station"},
    {"伊予富田", "iyotomita", "イヨトミタ", "iyotomita eki"},
    {"今治", "imabari", "IMABARI", "イマバリ駅"},
    {"波止浜", "hashihama", "hasihama", "Hashihama Station"},
    {"波方", "namikata", "NAMIKATA", "namikata eki"},
    {"大西", "onishi", "oonisi", "オオニシ駅"},
    {"伊予亀岡", "iyokameoka", "IYOKAMEOKA", "Iyokameoka Station"},
    {"菊間", "kikuma", "キクマ", "kikuma eki"},
    {"浅海", "asanami", "ASANAMI", "アサナミ駅"},
    {"大浦", "ora", "ooura", "Oura Station"},
    {"伊予北条", "iyohojo", "iyohouzyou", "iyohojo eki"},
    {"柳原", "yanagihara", "ヤナギハラ", "ヤナギハラ駅"},
    {"粟井", "awai", "AWAI", "Awai Station"},
    {"光洋台", "koyodai", "kouyoudai", "koyodai eki"},
    {"堀江", "horie", "HORIE", "ホリエ駅"},
    {"伊予和気", "iyowake", "イヨワケ", "Iyowake Station"},
    {"三津浜", "mitsuhama", "mituhama", "mitsuhama eki"},
    {"松山", "matsuyama", "matuyama", "マツヤマ駅"},
    {"市坪", "ichitsubo", "ititubo", "Ichitsubo Station"},
    {"北伊予", "kitaiyo", "キタイヨ", "kitaiyo eki"},
    {"伊予横田", "iyoyokota", "IYOYOKOTA", "イヨヨコタ駅"},
    {"鳥ノ木", "torinoki", "トリノキ", "Torinoki Station"},
    {"伊予市", "iyoshi", "iyosi", "iyoshi eki"},
    {"向井原", "mukaibara", "ムカイバラ", "ムカイバラ駅"},
    {"伊予大平", "iyoohira", "iyooohira", "Iyo-Ohira Station"},
    {"伊予中山", "iyonakayama", "イヨナカヤマ", "iyonakayama eki"},
    {"伊予立川", "iyotachikawa", "iyotatikawa", "イヨタチカワ駅"},
    {"内子", "uchiko", "utiko", "Uchiko Station"},
    {"五十崎", "ikazaki", "IKAZAKI", "ikazaki eki"},
    {"喜多山", "kitayama", "キタヤマ", "キタヤマ駅"},
    {"新谷", "niiya", "NIIYA", "Niiya Station"},
    {"高野川", "konokawa", "kounokawa", "konokawa eki"},
    {"伊予上灘", "iyokaminada", "IYOKAMINADA", "イヨカミナダ駅"},
    {"下灘", "shimonada", "simonada", "Shimonada Station"},
    {"串", "kushi", "kusi", "kushi eki"},
    {"喜多灘", "kitanada", "キタナダ", "キタナダ駅"},
    {"伊予長浜", "iyonagahama", "IYONAGAHAMA", "Iyonagahama Station"},
    {"伊予出石", "iyoizushi", "iyoizusi", "iyoizushi eki"},
    {"伊予白滝", "iyoshirataki", "iyosirataki", "イヨシラタキ駅"},
    {"八多喜", "hataki", "ハタキ", "Hataki Station"},
    {"春賀", "haruka", "HARUKA", "haruka eki"},
    {"五郎", "goro", "gorou", "ゴロウ駅"},
    {"伊予大洲", "iyoozu", "iyooozu", "Iyo-Ozu Station"},
    {"西大洲", "nishiozu", "nisioozu", "nishiozu eki"},
    {"伊予平野", "iyohirano", "IYOHIRANO", "イヨヒラノ駅"},
    {"千丈", "senjo", "senzyou", "sennzyou"},
    {"八幡浜", "yawatahama", "ヤワタハマ", "Yawatahama Station"},
    {"双岩", "futaiwa", "hutaiwa", "futaiwa eki"},
    {"伊予石城", "iyoiwaki", "イヨイワキ", "イヨイワキ駅"},
    {"上宇和", "kamiuwa", "KAMIUWA", "Kamiuwa Station"},
    {"卯之町", "unomachi", "unomati", "unomachi eki"},
    {"下宇和", "shimouwa", "simouwa", "シモウワ駅"},
    {"立間", "tachima", "tatima", "Tachima Station"},
    {"伊予吉田", "iyoyoshida", "iyoyosida", "iyoyoshida eki"},
    {"高光", "takamitsu", "takamitu", "タカミツ駅"},
    {"北宇和島", "kitauwajima", "kitauwazima", "Kitauwajima Station"},
    {"宇和島", "uwajima", "uwazima", "uwajima eki"},
};

TEST(StationSearch, EveryStationByThreeSpellings) {
    ASSERT_EQ(std::size(kSpellings), std::size_t{kAllStations});
    for (const Spellings& s : kSpellings)
        for (std::string_view typed : {s.hepburn, s.kunrei, s.other}) {
            const std::vector<int> found = searchStations(StationList::All, typed);
            ASSERT_FALSE(found.empty()) << typed;
            EXPECT_EQ(stationName(StationList::All, found.front()), s.name) << typed;
        }
}

// What people and Japanese keyboards produce beyond the textbook spellings.
TEST(StationSearch, SpellingsPeopleTypeFindTheirStation) {
    const struct {
        std::string_view typed, first;
    } rows[] = {
        {"kannonji", "観音寺"},    {"utadu", "宇多津"},     {"ishiduchi", "石鎚山"},     {"tyayamati", "茶屋町"},
        {"saizyo", "伊予西条"},    {"huchu", "讃岐府中"},   {"ohzu", "伊予大洲"},        {"bichu", "備中箕島"},
        {"岡山駅", "岡山"},        {"okayama eki", "岡山"}, {"Okayama Station", "岡山"}, {"おかやまえき", "岡山"},
        {"okayama st", "岡山"},    {"岡　山", "岡山"},      {"　大元", "大元"},          {"Iyo-Saijō", "伊予西条"},
        {"iyosaijou", "伊予西条"}, {"Ōzu", "伊予大洲"},     {"kōzai", "香西"},           {"Nyūgawa", "壬生川"},
        {"sennjou", "千丈"},       {"senjō", "千丈"},       {"shimbashi", ""},           {"seki", "関川"},
        {"uta", "宇多津"},         {"うたず", "宇多津"},    {"いしずちやま", "石鎚山"},
    };
    for (const auto& r : rows) {
        const std::vector<int> found = searchStations(StationList::All, r.typed);
        EXPECT_EQ(found.empty() ? "" : stationName(StationList::All, found.front()), r.first) << r.typed;
    }
}

TEST(StationSearch, SpellingKeysMeetAcrossSystems) {
    const struct {
        std::string_view a, b;
    } same[] = {
        {"shi", "si"},       {"chi", "ti"},         {"tsu", "tu"},
        {"fu", "hu"},        {"ji", "zi"},          {"ji", "di"},
        {"zu", "du"},        {"sha", "sya"},        {"cho", "tyo"},
        {"ja", "zya"},       {"jya", "ja"},         {"kōzai", "kouzai"},
        {"ohzu", "oozu"},    {"Ōzu", "ozu"},        {"kan'onji", "kannonji"},
        {"bitchu", "bichu"}, {"bicchuu", "bittyu"}, {"Iyo-Saijo", "iyo saijo"},
    };
    for (const auto& r : same) EXPECT_EQ(spellingKey(normaliseTyped(r.a)), spellingKey(normaliseTyped(r.b))) << r.a;
    // Text cut short while it is typed begins the key of what it becomes.
    for (std::string_view whole : {"shimanto", "chayamachi", "tsuda", "jouzai", "fuchu", "bitchu"})
        for (std::size_t n = 1; n <= whole.size(); ++n)
            EXPECT_TRUE(spellingKey(whole).starts_with(spellingKey(whole.substr(0, n)))) << whole.substr(0, n);
}

// The Latin letters of a province written in front of a name (伊予西条, not
// 伊予市), which people leave out when they type.
std::size_t provinceLength(std::string_view name) {
    for (auto [kanji, latin] :
         {std::pair<std::string_view, std::size_t>{"伊予", 3}, {"讃岐", 6}, {"備中", 6}, {"備前", 5}})
        if (name.starts_with(kanji) && name.size() >= kanji.size() + 6) return latin;
    return 0;
}

// How many keys a person typing Hepburn (long vowels unmarked) presses
// before the finder offers the station first: the least over the spelling
// with and without the 伊予/讃岐/備中/備前 in front, which people leave out.
TEST(StationSearch, FewKeysFindAnyStation) {
    std::vector<std::size_t> keys;
    for (const Spellings& s : kSpellings) {
        const int wanted = findStation(StationList::All, s.name).value_or(-1);
        std::size_t least = 99;
        for (std::string_view typed : {s.hepburn, s.hepburn.substr(std::min(s.hepburn.size(), provinceLength(s.name)))})
            for (std::size_t n = 1; n <= typed.size() && n < least; ++n) {
                const std::vector<int> found = searchStations(StationList::All, typed.substr(0, n));
                if (!found.empty() && found.front() == wanted) least = n;
            }
        EXPECT_LT(least, 99u) << s.name;
        keys.push_back(least);
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_LE(keys[keys.size() / 2], 3u) << "median";
    EXPECT_LE(keys[(keys.size() * 95 + 99) / 100 - 1], 5u) << "95th percentile";
}

TEST(StationSearch, OneStationByAnyName) {
    const struct {
        StationList list;
        std::string_view typed;
        int expected;  // -1: none or several
    } rows[] = {
        {StationList::All, "uwajima", 106},      {StationList::All, "宇和島", 106},
        {StationList::All, "宇\u3000和島", 106}, {StationList::All, "kozai", 13},
        {StationList::All, "みの", 27},          {StationList::All, "matsu", -1},
        {StationList::All, "nowhere", -1},       {StationList::All, "saijo", 43},
        {StationList::Express, "ozu", 21},       {StationList::Marine, "uwajima", -1},
    };
    for (const auto& r : rows) EXPECT_EQ(stationByAnyName(r.list, r.typed).value_or(-1), r.expected) << r.typed;
}

}  // namespace
}  // namespace mkd
