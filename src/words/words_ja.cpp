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

    // Keyboard, accessibility and help

    // Station finder
};

}  // namespace

const Entry* japaneseWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
