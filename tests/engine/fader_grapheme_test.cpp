// The fader colours clusters, not code units: faded, every case of Unicode's
// break test gets one colour tag per cluster, standing exactly at its breaks.
#include "engine/base/utf16.h"
#include "engine/fader.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

// A case can be faded when the units come back as its own text: it holds none
// of "<", ">" and "&" (the fader writes those as entities) and no lone
// surrogate (not text that can be written out). Unicode 15.0's file has none.
bool CanBeFaded(std::u16string_view text) {
    for (std::size_t at = 0; at < text.size(); at += CodePointLength(text, at)) {
        const char16_t c = text[at];
        if (c == u'<' || c == u'>' || c == u'&' || (IsSurrogate(c) && !IsSurrogatePair(text, at))) {
            return false;
        }
    }
    return true;
}

TEST(FaderGraphemes, DISABLED_OneColourTagPerCluster) {
    const auto cases = UnicodeData::ReadGraphemeBreakTest();
    if (cases.empty()) {
        GTEST_SKIP() << "GraphemeBreakTest.txt missing (Debian: unicode-data)";
    }
    constexpr std::u16string_view kPrefix = u"<Font Color=#";
    constexpr std::size_t kTagLength = kPrefix.size() + 7; // prefix, RRGGBB, ">"
    for (const auto& test : cases) {
        if (!CanBeFaded(test.text)) {
            continue;
        }
        const std::u16string markup = FadeThreeColors(MakeRgb(255, 0, 0), MakeRgb(0, 255, 0),
                                                      MakeRgb(0, 0, 255), test.text, 0);
        std::vector<std::u16string> units;
        for (std::size_t at = markup.find(kPrefix); at != std::u16string::npos;) {
            const std::size_t next = markup.find(kPrefix, at + kTagLength);
            units.push_back(markup.substr(at + kTagLength, next - at - kTagLength));
            at = next;
        }
        std::vector<std::u16string> clusters;
        for (std::size_t k = 1; k < test.breaks.size(); ++k) {
            clusters.push_back(
                test.text.substr(test.breaks[k - 1], test.breaks[k] - test.breaks[k - 1]));
        }
        EXPECT_TRUE(markup.starts_with(kPrefix)) << "line " << test.line;
        EXPECT_EQ(units, clusters) << "GraphemeBreakTest.txt line " << test.line;
    }
}

} // namespace
} // namespace VexoFade
