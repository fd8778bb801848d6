// Which language a person gets: the system's, as the locale variables name
// it, or one asked for by name. Plain C++, so that mkd-fare decides as the
// desktop program does.
#pragma once

#include <optional>
#include <string_view>

#include "words/words.hpp"

namespace mkd {

// The language a locale name ("en_US.UTF-8", "ja_JP.eucJP", "C") asks for:
// English for an English locale, Japanese for a Japanese one, and Japanese,
// the program's own language, for any other or none ("C", "POSIX", "").
Lang languageOfLocale(std::string_view locale);

// The language of messages as POSIX orders the variables: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty names the locale.
// The arguments are the variables' values (null when unset).
Lang systemLanguage(const char* lcAll, const char* lcMessages, const char* lang);
// The same, read from this process's environment.
Lang systemLanguage();

// "ja" or "en", as --lang takes it and the settings keep it.
std::string_view languageCode(Lang lang);
// The language of a code ("ja", "en", any case); nothing for anything else.
std::optional<Lang> languageFromCode(std::string_view code);

}  // namespace mkd
