#include <gtest/gtest.h>

#include "words/language.hpp"

namespace {

using mkd::Lang;

TEST(Language, TheFirstSetLocaleVariableDecides) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Lang expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, "en_US.UTF-8", Lang::English},
        {nullptr, nullptr, "ja_JP.UTF-8", Lang::Japanese},
        {nullptr, "en_GB.UTF-8", "ja_JP.UTF-8", Lang::English},  // LC_MESSAGES before LANG
        {"ja_JP.eucJP", "en_GB.UTF-8", "en_US", Lang::Japanese},  // LC_ALL before both
        {"", "", "en", Lang::English},  // empty counts as unset
        {nullptr, nullptr, nullptr, Lang::Japanese},  // nothing set: the program's own
        {nullptr, nullptr, "C", Lang::Japanese},
        {nullptr, nullptr, "POSIX", Lang::Japanese},
        {"C.UTF-8", nullptr, "en_US.UTF-8", Lang::Japanese},  // LC_ALL=C wins even over English
        {nullptr, nullptr, "EN_us", Lang::English},
        {nullptr, nullptr, "en@quot", Lang::English},
        {nullptr, nullptr, "eng", Lang::Japanese},  // not the two-letter code
        {nullptr, nullptr, "de_DE.UTF-8", Lang::Japanese},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mkd::systemLanguage(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-") << ' '
            << (c.lang ? c.lang : "-");
}

TEST(Language, CodesGoBothWays) {
    for (Lang lang : {Lang::Japanese, Lang::English}) EXPECT_EQ(mkd::languageFromCode(mkd::languageCode(lang)), lang);
    EXPECT_EQ(mkd::languageFromCode("EN"), Lang::English);
    EXPECT_FALSE(mkd::languageFromCode("english"));
    EXPECT_FALSE(mkd::languageFromCode(""));
}

}  // namespace
