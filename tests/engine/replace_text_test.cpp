#include "base/error.h"
#include "engine/replace_text.h"
#include "tests/engine/replace_reference.h"

#include <gtest/gtest.h>
#include <random>

namespace VexoFade {
namespace {

TEST(ReplaceText, YieldsOncePerReplacement) {
    const std::u16string longText = std::u16string(40000, u'x') + u"\r"; // no position limit
    const struct {
        std::u16string_view text, search, replacement, result;
        int yields;
    } cases[] = {
        {u"plain text", u"\r", u"+chr13+", u"plain text", 0},
        {u"", u"\r", u"+chr13+", u"", 0},
        {u"AbAB", u"ab", u"x", u"AbAB", 0},
        {u"\rone\rtwo\r", u"\r", u"+chr13+", u"+chr13+one+chr13+two+chr13+", 3},
        {u"aaaa", u"aa", u"a", u"a", 3}, // occurrences that replacements form too
        {longText, u"\r", u"", std::u16string_view(longText).substr(0, 40000), 1},
    };
    for (const auto& c : cases) {
        int yields = 0;
        EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, [&] { return ++yields > 0; }),
                  c.result);
        EXPECT_EQ(yields, c.yields);
    }
}

TEST(ReplaceText, StopsAtTheFirstYieldThatSaysNoAndRejectsAnEmptySearch) {
    for (const std::u16string_view search : {u"\r", u"\r\r"}) {
        int yields = 0;
        EXPECT_EQ(ReplaceText(u"a\r\rb\r\r", search, u"+", [&] { return ++yields < 2; }),
                  std::nullopt);
        EXPECT_EQ(yields, 2);
    }
    try {
        ReplaceText(u"abc", u"", u"x");
        ADD_FAILURE() << "expected an error";
    } catch (const Chromell::Error& e) {
        EXPECT_EQ(e.number(), Chromell::ErrorNumber::InvalidArgument);
    }
}

// Random texts over a tiny alphabet make re-formed occurrences common.
TEST(ReplaceText, AgreesWithTheRestartingDefinition) {
    std::mt19937 random(20261206);
    const auto randomString = [&](std::size_t maxLength) {
        std::u16string s(random() % (maxLength + 1), u' ');
        for (auto& c : s) {
            c = u"ab\r"[random() % 3];
        }
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::u16string search = randomString(4);
        if (search.empty()) {
            continue;
        }
        std::u16string replacement = randomString(search.size() - 1);
        if (search.size() == 1) {
            // Any replacement without the search unit ends, whatever its length.
            replacement = randomString(5);
            std::erase(replacement, search.front());
        }
        const std::u16string text = randomString(24);
        int passes = 0, yields = 0;
        const std::u16string expected = RestartingReplace(text, search, replacement, passes);
        ASSERT_EQ(ReplaceText(text, search, replacement, [&] { return ++yields > 0; }), expected)
            << "round " << round;
        ASSERT_EQ(yields, passes) << "round " << round;
    }
}

} // namespace
} // namespace VexoFade
