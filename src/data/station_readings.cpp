#include "data/station_readings.hpp"

#include <array>

#include "data/stations.hpp"

namespace mkd {

namespace {

struct ReadingRow {
    std::string_view name;
    std::string_view reading;  // hiragana, with the word marks of markedReading()
};

// In all-station order, each checked against the station's own signs; many
// cannot be guessed from the kanji (八十場 やそば, 壬生川 にゅうがわ, 五十崎
// いかざき, 伊予石城 いよいわき, 妹尾 せのお, 新谷 にいや, 観音寺 かんおんじ).
constexpr std::array<ReadingRow, kAllStations> kReadings{{
    {"岡山", "おかやま"},
    {"大元", "おおもと"},
    {"備前西市", "びぜんにしいち"},
    {"妹尾", "せの|お"},
    {"備中箕島", "びっちゅうみしま"},
    {"早島", "はやしま"},
    {"久々原", "くぐはら"},
    {"茶屋町", "ちゃやまち"},
    {"植松", "うえまつ"},
    {"木見", "きみ"},
    {"上の町", "かみのちょう"},
    {"児島", "こじま"},
    {"高松", "たかまつ"},
    {"香西", "こうざい"},
    {"鬼無", "きなし"},
    {"端岡", "はしおか"},
    {"国分", "こくぶ"},
    {"讃岐府中", "さぬきふちゅう"},
    {"鴨川", "かもがわ"},
    {"八十場", "やそば"},
    {"坂出", "さかいで"},
    {"宇多津", "うたづ"},
    {"丸亀", "まるがめ"},
    {"讃岐塩屋", "さぬきしおや"},
    {"多度津", "たどつ"},
    {"海岸寺", "かいがんじ"},
    {"詫間", "たくま"},
    {"みの", "みの"},
    {"高瀬", "たかせ"},
    {"比地大", "ひじだい"},
    {"本山", "もとやま"},
    {"観音寺", "かんおんじ"},
    {"豊浜", "とよはま"},
    {"箕浦", "みの|うら"},
    {"川之江", "かわのえ"},
    {"伊予三島", "いよみしま"},
    {"伊予寒川", "いよさんがわ"},
    {"赤星", "あかぼし"},
    {"伊予土居", "いよどい"},
    {"関川", "せきかわ"},
    {"多喜浜", "たきはま"},
    {"新居浜", "にいはま"},
    {"中萩", "なかはぎ"},
    {"伊予西条", "いよさいじょう"},
    {"石鎚山", "いしづちやま"},
    {"伊予氷見", "いよひみ"},
    {"伊予小松", "いよこまつ"},
    {"玉之江", "たまのえ"},
    {"壬生川", "にゅうがわ"},
    {"伊予三芳", "いよみよし"},
    {"伊予桜井", "いよさくらい"},
    {"伊予富田", "いよとみた"},
    {"今治", "いまばり"},
    {"波止浜", "はしはま"},
    {"波方", "なみかた"},
    {"大西", "おおにし"},
    {"伊予亀岡", "いよかめおか"},
    {"菊間", "きくま"},
    {"浅海", "あさなみ"},
    {"大浦", "おおうら"},
    {"伊予北条", "いよほうじょう"},
    {"柳原", "やなぎはら"},
    {"粟井", "あわい"},
    {"光洋台", "こうようだい"},
    {"堀江", "ほりえ"},
    {"伊予和気", "いよわけ"},
    {"三津浜", "みつはま"},
    {"松山", "まつやま"},
    {"市坪", "いちつぼ"},
    {"北伊予", "きた-いよ"},
    {"伊予横田", "いよよこた"},
    {"鳥ノ木", "とりのき"},
    {"伊予市", "いよし"},
    {"向井原", "むかいばら"},
    {"伊予大平", "いよおおひら"},
    {"伊予中山", "いよなかやま"},
    {"伊予立川", "いよたちかわ"},
    {"内子", "うちこ"},
    {"五十崎", "いかざき"},
    {"喜多山", "きたやま"},
    {"新谷", "にいや"},
    {"高野川", "こうのかわ"},
    {"伊予上灘", "いよかみなだ"},
    {"下灘", "しもなだ"},
    {"串", "くし"},
    {"喜多灘", "きたなだ"},
    {"伊予長浜", "いよながはま"},
    {"伊予出石", "いよいずし"},
    {"伊予白滝", "いよしらたき"},
    {"八多喜", "はたき"},
    {"春賀", "はるか"},
    {"五郎", "ごろう"},
    {"伊予大洲", "いよおおず"},
    {"西大洲", "にし-おおず"},
    {"伊予平野", "いよひらの"},
    {"千丈", "せんじょう"},
    {"八幡浜", "やわたはま"},
    {"双岩", "ふたいわ"},
    {"伊予石城", "いよいわき"},
    {"上宇和", "かみ-うわ"},
    {"卯之町", "うのまち"},
    {"下宇和", "しも-うわ"},
    {"立間", "たちま"},
    {"伊予吉田", "いよよしだ"},
    {"高光", "たかみつ"},
    {"北宇和島", "きた-うわじま"},
    {"宇和島", "うわじま"},
}};

// The reading without its marks: the marked one with every mark taken out.
// Built at compile time so that nothing runs at start-up.
constexpr std::size_t kLongest = 64;
struct Plain {
    char text[kLongest] = {};
    std::size_t size = 0;
};
constexpr std::array<Plain, kAllStations> unmark() {
    std::array<Plain, kAllStations> plain{};
    for (std::size_t i = 0; i < kAllStations; ++i)
        for (char c : kReadings[i].reading)
            if (c != '|' && c != '-') plain[i].text[plain[i].size++] = c;
    return plain;
}
constexpr std::array<Plain, kAllStations> kPlain = unmark();

bool valid(int allIndex) { return isValidIndex(StationList::All, allIndex); }

}  // namespace

std::string_view stationReading(int allIndex) {
    if (!valid(allIndex)) return {};
    const Plain& p = kPlain[static_cast<std::size_t>(allIndex)];
    return {p.text, p.size};
}

std::string_view markedReading(int allIndex) {
    return valid(allIndex) ? kReadings[static_cast<std::size_t>(allIndex)].reading : std::string_view{};
}

std::string_view readingName(int allIndex) {
    return valid(allIndex) ? kReadings[static_cast<std::size_t>(allIndex)].name : std::string_view{};
}

}  // namespace mkd
