// Segmentation, the fader's colour tags and lower-casing against Unicode's data.
#include "engine/fader.h"
#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

using Clusters = std::vector<std::u16string>;

std::ifstream OpenData(const char* name) {
    std::ifstream in(std::string(CHROMELL_UNICODE_DATA_DIR) + "/" + name);
    EXPECT_TRUE(in) << name << " is missing";
    return in;
}

// Each case of Unicode's GraphemeBreakTest as its clusters.
std::vector<Clusters> ReadGraphemeBreakTest() {
    std::ifstream in = OpenData("GraphemeBreakTest-16.0.0.txt");
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

// A text with "|" at its breaks, as clusters.
Clusters Marked(std::u16string_view marked) {
    Clusters clusters(1);
    for (const char16_t c : marked) {
        c == u'|' ? void(clusters.emplace_back()) : clusters.back().push_back(c);
    }
    return clusters;
}

// Every case of Unicode's break test (16.0's, as 17.0 changed it), then conjuncts of
// several scripts, code points the test does not use, table edges, lone surrogates and
// the ASCII paths. The fader puts a colour tag at every break (cases with "<", ">" or
// "&", which it escapes, aside).
TEST(Grapheme, SegmentsAndFadesByUnicodesBreakTest) {
    std::vector<Clusters> cases = ReadGraphemeBreakTest();
    EXPECT_EQ(cases.size(), 1093U);
    // Unicode 17.0 took Extended_Pictographic from U+2701, so a ZWJ no longer joins it.
    const auto changed = std::find(cases.begin(), cases.end(), Marked(u"\u2701\u200D\u2701"));
    ASSERT_NE(changed, cases.end());
    *changed = Marked(u"\u2701\u200D|\u2701");
    for (const std::u16string_view marked : {
             u"\u0915\u094D\u0937|\u0938\u094D\u0924\u094D\u0930\u0940|a", // Devanagari
             u"\u09AC|\u09A8\u09CD\u09A7\u09C1|\u0915\u094D|a",       // Bengali; no consonant after
             u"\u1781\u17D2\u1798\u17C2|\u179A|\u1794\u17D2",         // Khmer
             u"\u1017\u102F|\u1012\u1039\u1013|\u1000",               // Myanmar
             u"\u0915\u200D\u094D\u0937|\u0915\u094D\u200C|\u0937",   // ZWJ inside; ZWNJ ends it
             u"\U0001F468\u200D\U0001F469\u200D\U0001F467|!",         // family
             u"\U0001F1FA\U0001F1F8|\U0001F1E9\U0001F1EA|\U0001F1EB", // flags
             u"\U0001F44D\U0001F3FD|\U0001F44D|\u2764\uFE0F|\u2764",  // skin tone, VS16
             u"\uAC00\u11A8|\uAC01|\u1161|\uD7A3\u11A8",              // LV T, LVT V
             u"\U000E0100\u0300|a\U000E01EF",                         // supplementary Extend
             u"\xD800\u0301|\xDC00|\xD800|\U0001F600|\xD83D",         // lone surrogates: Other
             u"a|b|c|d\u0301|e|f|g|h|\r\n|x|\r\n|\r|a|b|c|d",         // ASCII runs, CR alone
         }) {
        cases.push_back(Marked(marked));
    }
    for (const Clusters& clusters : cases) {
        std::u16string text, tagged;
        std::vector<std::size_t> ends;
        for (const std::u16string& cluster : clusters) {
            text += cluster;
            tagged += u"<Font Color=#000000>" + cluster;
            ends.push_back(text.size());
        }
        Clusters segmented;
        for (std::size_t at = 0; at < text.size(); at += segmented.back().size()) {
            segmented.emplace_back(text.substr(at, GraphemeLength(text, at)));
        }
        EXPECT_EQ(segmented, clusters);
        EXPECT_EQ(CountGraphemes(text), clusters.size());
        std::vector<std::size_t> found{42};
        GraphemeEnds(text, found);
        EXPECT_EQ(found, ends);
        if (text.find_first_of(u"<>&") == std::u16string::npos) {
            EXPECT_EQ(FadeThreeColors(0, 0, 0, text, kFalse), tagged);
        }
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
    std::vector<char32_t> lower(0x110001); // and one past U+10FFFF
    std::iota(lower.begin(), lower.end(), U'\0');
    std::ifstream in = OpenData("LowercaseMapping-17.0.0.txt");
    std::size_t mappings = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t semicolon = line.find(';'); // code;lower
        lower[std::stoul(line.substr(0, semicolon), nullptr, 16)] =
            char32_t(std::stoul(line.substr(semicolon + 1), nullptr, 16));
        ++mappings;
    }
    EXPECT_EQ(mappings, 1488U);
    std::size_t wrong = 0;
    for (char32_t code = 0; code < lower.size(); ++code) {
        wrong += SimpleLowercase(code) != lower[code] ? 1U : 0U;
    }
    EXPECT_EQ(wrong, 0U);
}

} // namespace
} // namespace VexoFade
