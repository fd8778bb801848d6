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

    // Program, folders and installation
    {Msg::ProgramFolderUnknown, "プログラムのあるフォルダーがわからないため、運賃表を探せません。終了します。"},
    {Msg::TableFolderNotFound, "運賃表のフォルダー Untin が見つかりません。探した場所:\n%1"},
    {Msg::TablesInUse, "運賃表: %1 (%2)"},
    {Msg::TablesBesideProgram, "プログラムと同じフォルダー"},
    {Msg::TablesInUserData, "ユーザーのデータフォルダー"},
    {Msg::TablesInstalled, "インストールされたもの"},
    {Msg::TablesGiven, "指定されたフォルダー"},
    {Msg::SelectionBesideTables, "初期表示: %1"},
    {Msg::SelectionInUserConfig, "初期表示: %1 (運賃表のフォルダーには書き込めないため、ユーザーの設定フォルダー)"},

    // Keyboard, accessibility and help

    // Station finder
};

}  // namespace

const Entry* japaneseWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
