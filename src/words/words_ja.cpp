// 日本語: the program's own words.
#include <iterator>

#include "words/word_table.hpp"

namespace mkd::detail {

namespace {

constexpr Entry kWords[] = {
    // Refusals and what a screen does not offer
    {Msg::SameStation, "乗車駅と降車駅が同じですよ。"},
    {Msg::LocalTrainAdvice, "普通列車にしましょう。"},

    // Result screens: bills and charge captions

    // Seasons and travel dates

    // Table files, the stored pair and the table check
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
};

}  // namespace

const Entry* japaneseWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
