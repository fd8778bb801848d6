#include "data/station_names.hpp"

#include <array>

#include "data/station_readings.hpp"

namespace mkd {

namespace {

// The Latin spelling on each station's signs, in all-station order: made
// once from the readings by ICU's Hiragana-Latin transliteration with the
// signs' word marks and long vowels written plain (the search library's
// test checks that they still agree), kept here so that naming a station
// in English needs no ICU.
constexpr std::array<std::string_view, kAllStations> kEnglish{{
    "Okayama",  // 岡山
    "Omoto",  // 大元
    "Bizen-Nishiichi",  // 備前西市
    "Senoo",  // 妹尾
    "Bitchu-Mishima",  // 備中箕島
    "Hayashima",  // 早島
    "Kuguhara",  // 久々原
    "Chayamachi",  // 茶屋町
    "Uematsu",  // 植松
    "Kimi",  // 木見
    "Kaminocho",  // 上の町
    "Kojima",  // 児島
    "Takamatsu",  // 高松
    "Kozai",  // 香西
    "Kinashi",  // 鬼無
    "Hashioka",  // 端岡
    "Kokubu",  // 国分
    "Sanuki-Fuchu",  // 讃岐府中
    "Kamogawa",  // 鴨川
    "Yasoba",  // 八十場
    "Sakaide",  // 坂出
    "Utazu",  // 宇多津
    "Marugame",  // 丸亀
    "Sanuki-Shioya",  // 讃岐塩屋
    "Tadotsu",  // 多度津
    "Kaiganji",  // 海岸寺
    "Takuma",  // 詫間
    "Mino",  // みの
    "Takase",  // 高瀬
    "Hijidai",  // 比地大
    "Motoyama",  // 本山
    "Kan-onji",  // 観音寺
    "Toyohama",  // 豊浜
    "Minoura",  // 箕浦
    "Kawanoe",  // 川之江
    "Iyo-Mishima",  // 伊予三島
    "Iyo-Sangawa",  // 伊予寒川
    "Akaboshi",  // 赤星
    "Iyo-Doi",  // 伊予土居
    "Sekikawa",  // 関川
    "Takihama",  // 多喜浜
    "Niihama",  // 新居浜
    "Nakahagi",  // 中萩
    "Iyo-Saijo",  // 伊予西条
    "Ishizuchiyama",  // 石鎚山
    "Iyo-Himi",  // 伊予氷見
    "Iyo-Komatsu",  // 伊予小松
    "Tamanoe",  // 玉之江
    "Nyugawa",  // 壬生川
    "Iyo-Miyoshi",  // 伊予三芳
    "Iyo-Sakurai",  // 伊予桜井
    "Iyo-Tomita",  // 伊予富田
    "Imabari",  // 今治
    "Hashihama",  // 波止浜
    "Namikata",  // 波方
    "Onishi",  // 大西
    "Iyo-Kameoka",  // 伊予亀岡
    "Kikuma",  // 菊間
    "Asanami",  // 浅海
    "Oura",  // 大浦
    "Iyo-Hojo",  // 伊予北条
    "Yanagihara",  // 柳原
    "Awai",  // 粟井
    "Koyodai",  // 光洋台
    "Horie",  // 堀江
    "Iyo-Wake",  // 伊予和気
    "Mitsuhama",  // 三津浜
    "Matsuyama",  // 松山
    "Ichitsubo",  // 市坪
    "Kita-Iyo",  // 北伊予
    "Iyo-Yokota",  // 伊予横田
    "Torinoki",  // 鳥ノ木
    "Iyoshi",  // 伊予市
    "Mukaibara",  // 向井原
    "Iyo-Ohira",  // 伊予大平
    "Iyo-Nakayama",  // 伊予中山
    "Iyo-Tachikawa",  // 伊予立川
    "Uchiko",  // 内子
    "Ikazaki",  // 五十崎
    "Kitayama",  // 喜多山
    "Niiya",  // 新谷
    "Konokawa",  // 高野川
    "Iyo-Kaminada",  // 伊予上灘
    "Shimonada",  // 下灘
    "Kushi",  // 串
    "Kitanada",  // 喜多灘
    "Iyo-Nagahama",  // 伊予長浜
    "Iyo-Izushi",  // 伊予出石
    "Iyo-Shirataki",  // 伊予白滝
    "Hataki",  // 八多喜
    "Haruka",  // 春賀
    "Goro",  // 五郎
    "Iyo-Ozu",  // 伊予大洲
    "Nishi-Ozu",  // 西大洲
    "Iyo-Hirano",  // 伊予平野
    "Senjo",  // 千丈
    "Yawatahama",  // 八幡浜
    "Futaiwa",  // 双岩
    "Iyo-Iwaki",  // 伊予石城
    "Kami-Uwa",  // 上宇和
    "Unomachi",  // 卯之町
    "Shimo-Uwa",  // 下宇和
    "Tachima",  // 立間
    "Iyo-Yoshida",  // 伊予吉田
    "Takamitsu",  // 高光
    "Kita-Uwajima",  // 北宇和島
    "Uwajima",  // 宇和島
}};

}  // namespace

std::string_view englishName(StationList list, int index) {
    const std::optional<int> all = findStation(StationList::All, stationName(list, index));
    return all ? kEnglish[static_cast<std::size_t>(*all)] : std::string_view{};
}

StationNames namesOf(StationList list, int index) {
    const std::optional<int> all = findStation(StationList::All, stationName(list, index));
    if (!all) return {};
    return {stationName(list, index), displayName(list, index), stationReading(*all), englishName(list, index)};
}

}  // namespace mkd
