// How a language's words are kept: one list of (message, words) pairs per
// language, in its own file.
#pragma once

#include <string_view>
#include <utility>

#include "words/words.hpp"

namespace mkd::detail {

struct Entry {
    Msg id;
    std::string_view words;
};

// Each language's list, defined in words_<lang>.cpp; `count` is its length.
const Entry* japaneseWords(std::size_t& count);
const Entry* englishWords(std::size_t& count);

}  // namespace mkd::detail
