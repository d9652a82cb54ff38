#include "engine/base/error.h"
#include "engine/replace_text.h"
#include "tests/engine/replace_reference.h"

#include <gtest/gtest.h>
#include <random>

namespace VexoFade {
namespace {

struct Counted {
    int yields = 0;
    YieldFunction yield() {
        return [this] {
            ++yields;
            return true;
        };
    }
};

TEST(ReplaceText, YieldsOncePerReplacement) {
    Counted counter;
    EXPECT_EQ(ReplaceText(u"plain text", u"\r", u"+chr13+", counter.yield()), u"plain text");
    EXPECT_EQ(ReplaceText(u"", u"\r", u"+chr13+", counter.yield()), u"");
    EXPECT_EQ(ReplaceText(u"AbAB", u"ab", u"x", counter.yield()), u"AbAB");
    EXPECT_EQ(counter.yields, 0);
    EXPECT_EQ(ReplaceText(u"\rone\rtwo\r", u"\r", u"+chr13+", counter.yield()),
              u"+chr13+one+chr13+two+chr13+");
    EXPECT_EQ(counter.yields, 3);
    // Occurrences that replacements form are replaced too.
    EXPECT_EQ(ReplaceText(u"aaaa", u"aa", u"a", counter.yield()), u"a");
    EXPECT_EQ(counter.yields, 6);
}

TEST(ReplaceText, StopsAtTheFirstYieldThatSaysNo) {
    for (const std::u16string_view search : {u"\r", u"\r\r"}) {
        int yields = 0;
        EXPECT_EQ(ReplaceText(u"a\r\rb\r\r", search, u"+", [&] { return ++yields < 2; }),
                  std::nullopt);
        EXPECT_EQ(yields, 2);
    }
}

TEST(ReplaceText, HasNoPositionLimit) {
    std::u16string text(40000, u'x');
    text += u"\r";
    const std::u16string result = *ReplaceText(text, u"\r", u"+chr13+");
    EXPECT_EQ(result.size(), 40007u);
    EXPECT_TRUE(result.ends_with(u"x+chr13+"));
}

TEST(ReplaceText, EmptySearchIsAnInvalidArgument) {
    try {
        ReplaceText(u"abc", u"", u"x");
        FAIL() << "expected an error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidArgument);
    }
}

// Random texts over a tiny alphabet make re-formed occurrences common.
TEST(ReplaceText, AgreesWithTheRestartingDefinition) {
    std::mt19937 random(20261206);
    const std::u16string alphabet = u"ab\r";
    auto randomString = [&](std::size_t maxLength) {
        std::u16string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), u' ');
        for (auto& c : s) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0,
                                                                    alphabet.size() - 1)(random)];
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
        int passes = 0;
        const std::u16string expected = RestartingReplace(text, search, replacement, passes);
        Counted counter;
        ASSERT_EQ(ReplaceText(text, search, replacement, counter.yield()), expected)
            << "round " << round;
        ASSERT_EQ(counter.yields, passes) << "round " << round;
    }
}

} // namespace
} // namespace VexoFade
