#include <gtest/gtest.h>

#include <set>

#include "explain/enquiry_words.hpp"
#include "words/word_table.hpp"
#include "words/words.hpp"

namespace {

using mkd::Lang;
using mkd::Msg;

TEST(Words, EveryMessageHasWordsInBothLanguagesAndNoLanguageNamesOneTwice) {
    for (auto list : {&mkd::detail::japaneseWords, &mkd::detail::englishWords}) {
        std::size_t n = 0;
        const mkd::detail::Entry* entries = list(n);
        std::set<Msg> seen;
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_TRUE(seen.insert(entries[i].id).second) << "message " << static_cast<int>(entries[i].id);
            EXPECT_FALSE(entries[i].words.empty()) << "message " << static_cast<int>(entries[i].id);
        }
    }
    for (std::size_t i = 0; i < mkd::kMsgCount; ++i)
        EXPECT_TRUE(mkd::hasWords(static_cast<Msg>(i), Lang::Japanese)) << "message " << i;
    // mkd-fare speaks English on request: every word it may say has some.
    for (std::size_t i = 0; i < mkd::kMsgCount; ++i)
        EXPECT_TRUE(mkd::hasWords(static_cast<Msg>(i), Lang::English)) << "message " << i;
}

TEST(Words, ArgumentsFillTheirPlacesInAnyOrder) {
    struct Case {
        std::string_view pattern;
        std::initializer_list<std::string_view> args;
        std::string_view expected;
    };
    const Case cases[] = {
        {"%1 から %2", {"岡山", "高松"}, "岡山 から 高松"},
        {"%2 from %1", {"Okayama", "Takamatsu"}, "Takamatsu from Okayama"},
        {"100%% %1", {"km"}, "100% km"},
        {"%3 stays", {"a"}, "%3 stays"},
        {"ends in %", {}, "ends in %"},
    };
    for (const Case& c : cases) EXPECT_EQ(mkd::fill(c.pattern, c.args), c.expected) << c.pattern;
    EXPECT_EQ(mkd::text(Msg::LocalTrainAdvice, Lang::English), "Take a local train.");
}

// The travel-date screens say when today lies outside the listed years and
// which date they chose instead; nothing when today is listed.
TEST(Words, TodayOutsideTheListedYears) {
    EXPECT_EQ(mkd::todayNotListedText({2026, 12, 7}, {2008, 12, 7}),
              "今日 (2026年12月7日) は料金を調べられる年の外なので、2008年12月7日を選んでいます。");
    EXPECT_EQ(mkd::todayNotListedText({1999, 2, 28}, {2002, 2, 28}, mkd::Lang::English),
              "Today (28 February 1999) is outside the years that can be priced, so 28 February 2002 is chosen "
              "instead.");
    EXPECT_EQ(mkd::todayNotListedText({2007, 8, 12}, {2007, 8, 12}), "");
}

}  // namespace
