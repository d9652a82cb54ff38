#include "engine/unicode/grapheme.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

UnicodeData::Clusters Segment(std::u16string_view text) {
    UnicodeData::Clusters clusters;
    for (std::size_t at = 0; at < text.size(); at += clusters.back().size()) {
        clusters.emplace_back(text.substr(at, GraphemeLength(text, at)));
    }
    EXPECT_EQ(CountGraphemes(text), clusters.size());
    return clusters;
}

TEST(Grapheme, EveryCaseOfUnicodesBreakTest) {
    const auto cases = UnicodeData::ReadGraphemeBreakTest();
    if (cases.empty()) {
        GTEST_SKIP() << "GraphemeBreakTest.txt missing (Debian: unicode-data)";
    }
    for (const auto& clusters : cases) {
        EXPECT_EQ(Segment(UnicodeData::Joined(clusters)), clusters);
    }
}

// Code points the break test does not use, table edges, lone surrogates and
// the ASCII paths; "|" marks the breaks.
TEST(Grapheme, WorkedExamples) {
    for (const std::u16string_view marked : {
             u"\U0001F468\u200D\U0001F469\u200D\U0001F467|!",         // family
             u"\U0001F1FA\U0001F1F8|\U0001F1E9\U0001F1EA|\U0001F1EB", // flags
             u"\U0001F44D\U0001F3FD|\U0001F44D|\u2764\uFE0F|\u2764",  // skin tone, VS16
             u"\uAC00\u11A8|\uAC01|\u1161|\uD7A3\u11A8",              // LV T, LVT V
             u"\U000E0100\u0300|a\U000E01EF",                         // supplementary Extend
             u"\xD800\u0301|\xDC00|\xD800|\U0001F600|\xD83D",         // lone surrogates: Other
             u"a|b|c|d\u0301|e|f|g|h|\r\n|x|\r\n|\r|a|b|c|d",         // ASCII runs, CR alone
         }) {
        UnicodeData::Clusters expected(1);
        for (const char16_t c : marked) {
            c == u'|' ? void(expected.emplace_back()) : expected.back().push_back(c);
        }
        EXPECT_EQ(Segment(UnicodeData::Joined(expected)), expected);
    }
}

} // namespace
} // namespace VexoFade
