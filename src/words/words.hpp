// The words a person reads from the core and the command-line tools, one
// table per language (words_ja.cpp, words_en.cpp).
//
// The core decides and returns values and reasons (enums, numbers, file
// names); whoever shows them to a person picks the sentence here. Each case
// is one whole sentence with its numbers and names as arguments (%1, %2, …),
// so that a translation may put them where its grammar wants them. Japanese
// is the program's own language: every message has Japanese words, and a
// message another language lacks is shown in Japanese.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mkd {

enum class Lang { Japanese, English };

// Messages are grouped by topic; add new ones at the end of their group.
enum class Msg : int {
    // Refusals and what a screen does not offer
    SameStation,       // "乗車駅と降車駅が同じですよ。"
    LocalTrainAdvice,  // "普通列車にしましょう。"

    // Result screens: bills and charge captions

    // Seasons and travel dates

    // Table files, the stored pair and the table check

    // Program, folders and installation
    ProgramFolderUnknown,  // the executable's folder cannot be found: nowhere to look for tables
    TableFolderNotFound,   // %1: the folders looked in, one a line
    TablesInUse,           // %1: the table folder, %2: why that one (one of the next four)
    TablesBesideProgram,
    TablesInUserData,
    TablesInstalled,
    TablesGiven,
    SelectionBesideTables,  // %1: the Henko.txt in use
    SelectionInUserConfig,  // %1: the Henko.txt in use, the tables' folder not being writable

    // Keyboard, accessibility and help

    // Station finder

    Count_  // not a message: the number of them
};

inline constexpr std::size_t kMsgCount = static_cast<std::size_t>(Msg::Count_);

// The words of `id` in `lang` (Japanese where `lang` has none).
std::string_view text(Msg id, Lang lang);

// The words of `id` with %1, %2, … replaced by `args` in order; "%%" is a
// percent sign. A placeholder without an argument stays as it is.
std::string text(Msg id, Lang lang, std::initializer_list<std::string_view> args);

// `pattern` with %1, %2, … replaced by `args` (what text() does with words).
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> args);

// For the tests: whether `lang` has its own words for `id`.
bool hasWords(Msg id, Lang lang);

}  // namespace mkd
