// 日本語: the program's own words.
#include <iterator>

#include "words/word_table.hpp"

namespace mkd::detail {

namespace {

constexpr Entry kWords[] = {
    // Refusals and what a screen does not offer
    {Msg::SameStation, "乗車駅と降車駅が同じですよ。"},
    {Msg::LocalTrainAdvice, "普通列車にしましょう。"},
    {Msg::SameSectionStop, "区間の乗車駅と降車駅が同じですよ。"},
    {Msg::NoStudentFare, "この料金には学割がありません。"},
    {Msg::StudentTooShort, "学割は 100 km を超える区間でだけ選べます (この区間は %1 km)。"},
    {Msg::NoChange, "松山乗換は特急の自由席・指定席・グリーン車でだけ選べます。"},
    {Msg::ChangeNotCrossing,
     "松山乗換は、岡山・児島と松山より先の駅を結ぶ特急区間でだけ選べます (特急区間 %1 ⇒ %2 は松山をまたぎません)。"},
    {Msg::MarineOutside, "マリンライナーは岡山から児島、高松から坂出までの駅でだけ選べます (%1 はその外です)。"},
    {Msg::MarineSameStation, "乗車駅と降車駅が同じなので、マリンライナーを選べません。"},
    {Msg::MarineExcluded, "%1 と %2 の間ではマリンライナーを選べません。"},
    {Msg::MarineSeatExcluded, "%1 と %2 の間ではマリンライナーの指定席を選べません。"},
    {Msg::NoSectionScreen, "この問い合わせには区間を選ぶ画面がありません。"},
    {Msg::DateNotListed,
     "乗車日は %1年から%2年まで (平成%3年から平成%4年まで) の、1月から12月の 1日から31日で選んでください。"},
    {Msg::NoExpressStopBetween, "%1 から %2 までの間には特急の停車駅がありません。"},
    {Msg::BothEndsSameStop, "%1 から %2 までの間で乗り降りできる停車駅は %3 だけです。"},

    // Result screens: bills and charge captions
    {Msg::BillAdultOneWay, "おとな片道運賃"},
    {Msg::BillAdultRoundTrip, "おとな往復運賃"},
    {Msg::BillChildOneWay, "こども片道運賃"},
    {Msg::BillChildRoundTrip, "こども往復運賃"},
    {Msg::BillStudentOneWay, "学割片道運賃"},
    {Msg::BillStudentRoundTrip, "学割往復運賃"},
    {Msg::ChargedAdultOneWay, "(おとな片道)"},
    {Msg::ChargedAdultRoundTrip, "(おとな往復)"},
    {Msg::ChargedChildOneWay, "(こども片道)"},
    {Msg::ChargedChildRoundTrip, "(こども往復)"},
    {Msg::ChargedStudentOneWay, "(学割片道)"},
    {Msg::ChargedStudentRoundTrip, "(学割往復)"},
    {Msg::CaptionNonReserved, "自由席特急料金"},
    {Msg::CaptionReservedBusy, "指定席特急料金(繁忙期)"},
    {Msg::CaptionReservedNormal, "指定席特急料金(通常期)"},
    {Msg::CaptionReservedOffPeak, "指定席特急料金(閑散期)"},
    {Msg::CaptionGreen, "特急料金・グリーン料金"},
    {Msg::CaptionMarineReserved, "指定席料金"},
    {Msg::CaptionMarineReservedOffPeak, "指定席料金(閑散期)"},
    {Msg::CaptionMarineGreen, "グリーン料金"},
    {Msg::Money, "%1円"},
    {Msg::Result, "検索結果"},
    {Msg::FareLine, "運賃"},
    {Msg::TotalLine, "合計"},
    {Msg::Through, "直通"},
    {Msg::ChangeAtMatsuyama, "松山乗換"},
    {Msg::OneWay, "片道"},
    {Msg::RoundTrip, "往復"},
    {Msg::Distance, "営業キロ %1 km"},

    // Seasons and travel dates
    {Msg::SeasonBusy, "繁忙期"},
    {Msg::SeasonNormal, "通常期"},
    {Msg::SeasonOffPeak, "閑散期"},
    {Msg::TravelDate, "乗車日 %1"},
    {Msg::SeasonFromCalendar, "%1月%2日から%3日までは%4です。"},
    {Msg::SeasonMondayToThursday,
     "%1月%2日から%3日までは、月曜日から木曜日が閑散期、ほかの曜日が通常期です。この日は%4なので%5です。"},
    {Msg::SeasonOverride, "%1 は祝日かその前日なので、暦にかかわらず通常期です。"},
    {Msg::DateRolledOver, "平成%1年%2月%3日は、%4月%5日のことです。"},
    {Msg::Sunday, "日曜日"},
    {Msg::Monday, "月曜日"},
    {Msg::Tuesday, "火曜日"},
    {Msg::Wednesday, "水曜日"},
    {Msg::Thursday, "木曜日"},
    {Msg::Friday, "金曜日"},
    {Msg::Saturday, "土曜日"},

    // Table files, the stored pair and the table check
    {Msg::TableCannotOpen, "料金表ファイルを読めません: %1"},
    {Msg::TableTooLarge, "料金表ファイルが大きすぎます: %1"},
    {Msg::TableTooManyRecords, "%1 の %2 行目: 表の行数 (%3) より多いレコードがあります。"},
    {Msg::TableEndsInRecord, "%1 の %2 行目から始まるレコードの途中でファイルが終わっています。"},
    {Msg::CheckFatal, "致命的"},
    {Msg::CheckWarning, "警告"},
    {Msg::CheckCell, "(レコード %1、フィールド %2: %3 → %4)"},
    {Msg::CheckEmptyCell, "空のセル: 0 と読まれます"},
    {Msg::CheckNotANumber, "\"%1\" は数ではありません: 0 と読まれます"},
    {Msg::CheckOutOfRange, "\"%1\" は範囲外です: 0 と読まれます"},
    {Msg::CheckTextAfter, "\"%1\": 先頭の数だけが使われ、%2 と読まれます"},
    {Msg::CheckNegativeDistance, "距離が負です: %1"},
    {Msg::CheckNegativeAmount, "金額が負です: %1"},
    {Msg::CheckFraction, "金額 %1 が円単位ではありません"},
    {Msg::CheckNotSymmetric, "距離 %1 が逆向きの %2 と違います (%3)"},
    {Msg::CheckPlace, "%1 の %2 行目 %3 番目のフィールド"},
    {Msg::CheckFewerRecords, "レコードが %2 件中 %1 件だけです: 残りは表の前の値のままです (起動時は 0)"},
    {Msg::CheckExtraRecord, "表の %1 件を超えるレコードがここから始まります (最後の空行も 1 件と数えます)"},
    {Msg::CheckEndsInRecord, "ここから始まるレコードの途中でファイルが終わっています: %2 フィールド中 %1"},
    {Msg::CheckTooLarge, "ファイルが %1 バイトを超えています"},
    {Msg::CheckCannotOpen, "ないか、読めないか、ファイルではありません"},
    {Msg::CheckChildAboveAdult, "こどもの金額 %1 がおとなの金額 %2 より高くなっています (%3)"},
    {Msg::CheckSelectionThird,
     "3 件目のレコードがここから始まります: このファイルは 2 件です (最後の空行も 1 件と数えます)"},
    {Msg::CheckSelectionMissing, "%1のセルがありません: 乗車区間画面は %2 を選びます"},
    {Msg::CheckSelectionEmpty, "%1のセルが空です: 乗車区間画面は %2 を選びます"},
    {Msg::CheckSelectionNotANumber, "\"%1\" は数ではありません: 乗車区間画面は %2 を選びます"},
    {Msg::CheckSelectionOutOfRange, "%1 は駅の位置 (0 から %2) ではありません: 乗車区間画面は %3 を選びます"},
    {Msg::CheckSelectionRounded, "%1 は丸められます: 乗車区間画面は %2 を選びます"},
    {Msg::CheckSelectionUnreadable, "読めません (%1): 乗車区間画面はそう伝えて、路線の両端を選びます"},
    {Msg::CheckSelectionReadsAsZero, "\"%1\" は範囲外です: 0 と読まれ、乗車区間画面は %2 を選びます"},
    {Msg::CheckSaveLeftover, "%1 の保存が途中で止まって残したファイルです。次の保存で消えます"},
    {Msg::CheckDeparture, "乗車駅"},
    {Msg::CheckArrival, "降車駅"},
    {Msg::CheckNoProblems, "%1: 問題はありません"},
    {Msg::CheckSummary, "%1: 致命的 %2 件、警告 %3 件"},
    {Msg::CheckSummaryOne, "%1: 致命的 %2 件、警告 1 件"},
    {Msg::ReasonNoSuchFile, "ファイルがありません"},
    {Msg::ReasonPermission, "権限がありません"},
    {Msg::ReasonIsFolder, "ファイルではなくフォルダーです"},
    {Msg::ReasonNotAFile, "普通のファイルではありません"},
    {Msg::ReasonNotAFolder, "途中の名前がフォルダーではありません"},
    {Msg::ReasonDiskFull, "ディスクに空きがありません"},
    {Msg::ReasonReadOnlyDisk, "読み取り専用のディスクです"},
    {Msg::ReasonReadOnlyFile, "読み取り専用のファイルです"},
    {Msg::SelectionNotSaved,
     "初期表示を保存できませんでした。Untin フォルダーに書き込めるか確かめてください。前の設定はそのままです。\n%1: "
     "%2"},
    {Msg::SelectionUnreadable, "保存した初期表示を読めません。%3 ⇒ %4 で始めます。\n%1: %2"},
    {Msg::ShortTable, "注意: %1 は %3 行中 %2 行だけです。"},
    {Msg::ShortTableHint,
     "足りない行の料金は、空 (0円) か、同じ表に前に読んだファイル (別の時期のものなど) の値です。"},

    // Program, folders and installation

    // Keyboard, accessibility and help

    // Station finder

    // mkd-fare
    {Msg::KindLocal, "普通列車"},
    {Msg::KindNonReserved, "特急 自由席"},
    {Msg::KindReserved, "特急 指定席"},
    {Msg::KindGreen, "特急 グリーン車"},
    {Msg::KindMarineReserved, "マリンライナー 指定席"},
    {Msg::KindMarineGreen, "マリンライナー グリーン車"},
    {Msg::KindWordLocal, "普通列車"},
    {Msg::KindWordNonReserved, "自由席"},
    {Msg::KindWordReserved, "指定席"},
    {Msg::KindWordGreen, "グリーン車"},
    {Msg::KindWordMarineReserved, "マリン指定席"},
    {Msg::KindWordMarineGreen, "マリングリーン"},
    {Msg::PassengerAdult, "おとな"},
    {Msg::PassengerChild, "こども"},
    {Msg::PassengerStudent, "学割"},
    {Msg::ChartCorner, "乗車駅\\降車駅"},
    {Msg::FareNotAStation, "'%1' という駅はありません"},
    {Msg::FareNotAnExpressStop, "'%1' は特急の停車駅ではありません"},
    {Msg::FareNotAMarineStop, "'%1' はマリンライナーの停車駅ではありません"},
    {Msg::FareNotAKind, "'%1' は問い合わせの種類ではありません"},
    {Msg::FareNotAPassenger, "'%1' は旅客の区分ではありません"},
    {Msg::FareNotATrip, "'%1' は片道・往復のどちらでもありません"},
    {Msg::FareNotASeason, "'%1' は時期ではありません"},
    {Msg::FareNotADate, "'%1' は YYYY-MM-DD の日付ではありません"},
    {Msg::FareNoCharge, "普通列車には料金がありません: --price fare か total にしてください"},
    {Msg::FareCannotWrite, "%1 に書き込めません"},
    {Msg::FareNoFolder, "フォルダーがありません: %1"},
    {Msg::FareGiveStations, "乗車駅と降車駅を指定してください (mkd-fare --help を参照)"},
};

}  // namespace

const Entry* japaneseWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
