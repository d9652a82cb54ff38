// Segmentation, the fader's colour tags and lower-casing against Unicode's data.
#include "engine/fader.h"
#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"

#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

using Clusters = std::vector<std::u16string>;

// Each case of GraphemeBreakTest.txt as its clusters; none when it is missing.
std::vector<Clusters> ReadGraphemeBreakTest() {
    std::ifstream in("/usr/share/unicode/auxiliary/GraphemeBreakTest.txt");
    std::vector<Clusters> cases;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        Clusters clusters;
        for (std::string field; fields >> field;) {
            if (field == "\u00F7") { // a break; "\u00D7" none
                clusters.emplace_back();
            } else if (field != "\u00D7") {
                const auto code = std::stoul(field, nullptr, 16);
                clusters.back() += code < 0x10000
                                       ? std::u16string(1, char16_t(code))
                                       : std::u16string{char16_t(0xD7C0 + (code >> 10)),
                                                        char16_t(0xDC00 + (code & 0x3FF))};
            }
        }
        if (!clusters.empty()) {
            clusters.pop_back(); // after the closing break
            cases.push_back(std::move(clusters));
        }
    }
    return cases;
}

// Every case of Unicode's break test, then code points it does not use, table edges,
// lone surrogates and the ASCII paths ("|" marks the breaks). The fader puts a colour
// tag at every break (cases with "<", ">" or "&", which it escapes, aside).
TEST(Grapheme, SegmentsAndFadesByUnicodesBreakTest) {
    std::vector<Clusters> cases = ReadGraphemeBreakTest();
    const bool missing = cases.empty();
    for (const std::u16string_view marked : {
             u"\U0001F468\u200D\U0001F469\u200D\U0001F467|!",         // family
             u"\U0001F1FA\U0001F1F8|\U0001F1E9\U0001F1EA|\U0001F1EB", // flags
             u"\U0001F44D\U0001F3FD|\U0001F44D|\u2764\uFE0F|\u2764",  // skin tone, VS16
             u"\uAC00\u11A8|\uAC01|\u1161|\uD7A3\u11A8",              // LV T, LVT V
             u"\U000E0100\u0300|a\U000E01EF",                         // supplementary Extend
             u"\xD800\u0301|\xDC00|\xD800|\U0001F600|\xD83D",         // lone surrogates: Other
             u"a|b|c|d\u0301|e|f|g|h|\r\n|x|\r\n|\r|a|b|c|d",         // ASCII runs, CR alone
         }) {
        Clusters& expected = cases.emplace_back(1);
        for (const char16_t c : marked) {
            c == u'|' ? void(expected.emplace_back()) : expected.back().push_back(c);
        }
    }
    for (const Clusters& clusters : cases) {
        std::u16string text, tagged;
        for (const std::u16string& cluster : clusters) {
            text += cluster;
            tagged += u"<Font Color=#000000>" + cluster;
        }
        Clusters segmented;
        for (std::size_t at = 0; at < text.size(); at += segmented.back().size()) {
            segmented.emplace_back(text.substr(at, GraphemeLength(text, at)));
        }
        EXPECT_EQ(segmented, clusters);
        EXPECT_EQ(CountGraphemes(text), clusters.size());
        if (text.find_first_of(u"<>&") == std::u16string::npos) {
            EXPECT_EQ(FadeThreeColors(0, 0, 0, text, kFalse), tagged);
        }
    }
    if (missing) {
        GTEST_SKIP() << "GraphemeBreakTest.txt missing";
    }
}

TEST(Case, MapsCodePointsAsUnicodeDataDoes) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"\u00C4RIAL\"", u"\u00E4rial\""},
        {u"\U00010400\U0001E900", u"\U00010428\U0001E922"},             // surrogate pairs
        {u"\xD801\xDC00\xD801 \xDC00 A", u"\U00010428\xD801 \xDC00 a"}, // lone kept
    };
    for (const auto& [text, lower] : cases) {
        EXPECT_EQ(ToLowerSimple(text), lower) << testing::PrintToString(text);
    }
    std::ifstream in("/usr/share/unicode/UnicodeData.txt");
    if (!in) {
        GTEST_SKIP() << "UnicodeData.txt missing";
    }
    std::vector<char32_t> lower(0x110001); // and one past U+10FFFF
    std::iota(lower.begin(), lower.end(), U'\0');
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string field[14]; // the simple lower-case mapping is field 13
        for (std::string& f : field) {
            std::getline(fields, f, ';');
        }
        if (!field[13].empty()) {
            lower[std::stoul(field[0], nullptr, 16)] = char32_t(std::stoul(field[13], nullptr, 16));
        }
    }
    std::size_t wrong = 0;
    for (char32_t code = 0; code < lower.size(); ++code) {
        wrong += SimpleLowercase(code) != lower[code] ? 1U : 0U;
    }
    EXPECT_EQ(wrong, 0U);
}

} // namespace
} // namespace VexoFade
