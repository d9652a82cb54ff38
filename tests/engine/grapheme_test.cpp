#include "engine/unicode/grapheme.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

std::vector<std::size_t> Breaks(std::u16string_view text) {
    std::vector<std::size_t> breaks{0};
    for (std::size_t at = 0; at < text.size(); at += GraphemeLength(text, at)) {
        breaks.push_back(at + GraphemeLength(text, at));
    }
    return breaks;
}

TEST(Grapheme, EveryCaseOfUnicodesBreakTest) {
    const auto cases = UnicodeData::ReadGraphemeBreakTest();
    if (cases.empty()) {
        GTEST_SKIP() << "GraphemeBreakTest.txt missing (Debian: unicode-data)";
    }
    for (const auto& test : cases) {
        EXPECT_EQ(Breaks(test.text), test.breaks) << "GraphemeBreakTest.txt line " << test.line;
        EXPECT_EQ(CountGraphemes(test.text), test.breaks.size() - 1) << "line " << test.line;
    }
}

// Code points the break test does not use, table edges, and lone surrogates.
TEST(Grapheme, WorkedExamples) {
    const struct {
        std::u16string text;
        std::vector<std::size_t> breaks;
    } cases[] = {
        {u"\U0001F468\u200D\U0001F469\u200D\U0001F467!", {0, 8, 9}},            // family
        {u"\U0001F1FA\U0001F1F8\U0001F1E9\U0001F1EA\U0001F1EB", {0, 4, 8, 10}}, // flags
        {u"e\u0301\u0328x", {0, 3, 4}},                             // combining acute, ogonek
        {u"\U0001F44D\U0001F3FD\U0001F44D", {0, 4, 6}},             // skin tone
        {u"\u2764\uFE0F\u2764", {0, 2, 3}},                         // VS16
        {u"\u1100\u1161\u11A8\u1100", {0, 3, 4}},                   // Hangul L V T
        {u"\uAC00\u11A8\uAC01\u1161\uD7A3\u11A8", {0, 2, 3, 4, 6}}, // LV T, LVT V
        {u"\u0915\u094D\u0937\u093F", {0, 2, 4}},                   // virama, vowel sign
        {u"a\r\n\r\r\n\n", {0, 1, 3, 4, 6, 7}},                     // CR LF, CR alone
        {u"\U000E0100\u0300a\U000E01EF", {0, 3, 6}},                // supplementary Extend
        {u"\xD800\u0301\xDC00\xD800", {0, 2, 3, 4}},                // lone surrogates: Other
        {u"\U0001F600\xD83D", {0, 2, 3}},
        {u"abcd\u0301efgh\r\n", {0, 1, 2, 3, 5, 6, 7, 8, 9, 11}}, // ASCII runs
        {u"x\r\nabcd", {0, 1, 3, 4, 5, 6, 7}},                    // pair, then a lone high
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Breaks(test.text), test.breaks) << testing::PrintToString(test.text);
        EXPECT_EQ(CountGraphemes(test.text), test.breaks.size() - 1);
    }
}

} // namespace
} // namespace VexoFade
