#include "engine/fader.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

// Every case of Unicode's break test, faded, gets one colour tag per cluster.
TEST(FaderGraphemes, OneColourTagPerCluster) {
    constexpr std::u16string_view kPrefix = u"<Font Color=#";
    constexpr std::size_t kTag = kPrefix.size() + 7; // and RRGGBB>
    for (const auto& clusters : UnicodeData::ReadGraphemeBreakTest()) {
        // A case can be faded when its units must give back its own text: it
        // holds no "<", ">" or "&" (the fader writes those as entities). None
        // has a lone surrogate (Unicode's file leaves surrogates out), so every
        // case of Unicode 15.0 is faded.
        const std::u16string text = UnicodeData::Joined(clusters);
        if (text.find_first_of(u"<>&") != std::u16string::npos) {
            continue;
        }
        const std::u16string markup = FadeThreeColors(0xFF, 0xFF00, 0xFF0000, text, 0);
        UnicodeData::Clusters units;
        for (std::size_t at = markup.find(kPrefix); at < markup.size();) {
            const std::size_t next = std::min(markup.find(kPrefix, at + kTag), markup.size());
            units.push_back(markup.substr(at + kTag, next - at - kTag));
            at = next;
        }
        EXPECT_TRUE(markup.starts_with(kPrefix));
        EXPECT_EQ(units, clusters);
    }
}

} // namespace
} // namespace VexoFade
