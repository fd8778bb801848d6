#include "words/language.hpp"

#include <cstdlib>

namespace mkd {

namespace {

// The language part of a locale name: what comes before "_", "." or "@".
std::string_view languagePart(std::string_view locale) {
    const auto end = locale.find_first_of("_.@");
    return end == std::string_view::npos ? locale : locale.substr(0, end);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

}  // namespace

Lang languageOfLocale(std::string_view locale) {
    return equalsIgnoringCase(languagePart(locale), "en") ? Lang::English : Lang::Japanese;
}

Lang systemLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) return languageOfLocale(value);
    return Lang::Japanese;
}

Lang systemLanguage() { return systemLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")); }

std::string_view languageCode(Lang lang) { return lang == Lang::English ? "en" : "ja"; }

std::optional<Lang> languageFromCode(std::string_view code) {
    if (equalsIgnoringCase(code, "ja")) return Lang::Japanese;
    if (equalsIgnoringCase(code, "en")) return Lang::English;
    return std::nullopt;
}

}  // namespace mkd
