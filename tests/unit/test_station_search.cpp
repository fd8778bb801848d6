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
        // Names that begin with the text come first, then list order.
        {"matsu", {"松山", "植松", "高松", "伊予小松"}},
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
        {"uwajima", "宇和島"},        {"うわじま", "宇和島"}, {"ウワジマ", "宇和島"}, {"宇和島", "宇和島"},
        {"ＵＷＡＪＩＭＡ", "宇和島"}, {"ｳﾜｼﾞﾏ", "宇和島"},    {"Uwajima", "宇和島"},  {"いよし", "伊予市"},
        {"nyugawa", "壬生川"},        {"nyuugawa", "壬生川"}, {"nyūgawa", "壬生川"},  {"kanonji", "観音寺"},
        {"kan'onji", "観音寺"},       {"Kan-onji", "観音寺"}, {"matuyama", "松山"},   {"鳥の木", "鳥ノ木"},
        {"iyo-ohira", "伊予大平"},    {"ohira", "伊予大平"},  {"西条", "伊予西条"},   {"hojo", "伊予北条"},
        {" みの ", "みの"},           {"senoo", "妹尾"},      {"utazu", "宇多津"},    {"bicchu", "備中箕島"},
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
              (std::vector<std::string_view>{"植松", "高松"}));
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

TEST(StationSearch, OneStationByAnyName) {
    const struct {
        StationList list;
        std::string_view typed;
        int expected;  // -1: none or several
    } rows[] = {
        {StationList::All, "uwajima", 106},   {StationList::All, "宇和島", 106}, {StationList::All, "宇\u3000和島", -1},
        {StationList::All, "kozai", 13},      {StationList::All, "みの", 27},    {StationList::All, "matsu", -1},
        {StationList::All, "nowhere", -1},    {StationList::All, "saijo", 43},   {StationList::Express, "ozu", 21},
        {StationList::Marine, "uwajima", -1},
    };
    for (const auto& r : rows) EXPECT_EQ(stationByAnyName(r.list, r.typed).value_or(-1), r.expected) << r.typed;
}

}  // namespace
}  // namespace mkd
