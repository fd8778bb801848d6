// English.
#include <iterator>

#include "words/word_table.hpp"

namespace mkd::detail {

namespace {

constexpr Entry kWords[] = {
    // Refusals and what a screen does not offer
    {Msg::SameStation, "The departure and arrival stations are the same."},
    {Msg::LocalTrainAdvice, "Take a local train."},

    // Result screens: bills and charge captions

    // Seasons and travel dates

    // Table files, the stored pair and the table check

    // Program, folders and installation

    // Keyboard, accessibility and help

    // Station finder
};

}  // namespace

const Entry* englishWords(std::size_t& count) {
    count = std::size(kWords);
    return kWords;
}

}  // namespace mkd::detail
