#include "base/error.h"
#include "engine/fader.h"
#include "engine/hex.h"

#include <gtest/gtest.h>
#include <string>

namespace VexoFade {
namespace {

constexpr RgbColor kRed = MakeRgb(255, 0, 0);
constexpr RgbColor kGreen = MakeRgb(0, 255, 0);
constexpr RgbColor kBlue = MakeRgb(0, 0, 255);

TEST(FadeThreeColors, WorkedExamples) {
    const auto wide = static_cast<RgbColor>(0x8000000E);
    const struct {
        RgbColor colors[3];
        std::u16string_view text;
        Flag wave;
        std::u16string_view markup;
    } examples[] = {
        // clang-format off
        {{kRed, kGreen, kBlue}, u"", kTrue, u""},
        {{kRed, kGreen, kBlue}, u"x", kFalse, u"<Font Color=#0000FF>x"},
        {{kRed, kGreen, kBlue}, u"abc", kFalse,
         u"<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c"},
        // The wave counter runs on from the first half into the second.
        {{kRed, kGreen, kBlue}, u"Hello", kTrue,
         u"<Font Color=#808000><sup>H<Font Color=#00FF00></sup>e<Font Color=#00AA55><sub>l"
         u"<Font Color=#0055AA></sub>l<Font Color=#0000FF><sup>o"},
        // 253 -> 0 over two: 126.5 rounds to even. CR LF is one character.
        {{MakeRgb(253, 0, 0), 0, 0}, u">\t\r\n", kFalse,
         u"<Font Color=#7E0000>&gt;<Font Color=#000000>\t<Font Color=#000000>\r\n"},
        // Channels come from the hex digits: "8000000E" gives blue "80",
        // green "00" and red "0E"; "1ABCDEF" blue "1A", green "BC", red "EF".
        {{wide, wide, wide}, u"ab", kFalse, u"<Font Color=#0E0080>a<Font Color=#0E0080>b"},
        {{0, 0, 0x1ABCDEF}, u"x", kFalse, u"<Font Color=#EFBC1A>x"},
        // Only -1 turns the wave on.
        {{0, 0, 0}, u"a", 1, u"<Font Color=#000000>a"},
        {{0, 0, 0}, u"a", -2, u"<Font Color=#000000>a"},
        // clang-format on
    };
    for (const auto& e : examples) {
        EXPECT_EQ(FadeThreeColors(e.colors[0], e.colors[1], e.colors[2], e.text, e.wave), e.markup)
            << testing::PrintToString(std::u16string(e.text));
    }
    EXPECT_THROW(FadeByChannels(256, 0, 0, 0, 0, 0, 0, 0, 0, u"a", kFalse), Chromell::Error);
    EXPECT_THROW(FadeByChannels(0, 0, 0, 0, 0, 0, 0, 0, -1, u"a", kFalse), Chromell::Error);
}

TEST(FadeThreeColors, LengthLimitCountsUtf16Units) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, std::u16string(32767, u'a'), kTrue).size(),
              32767u * 21 + 32767 / 4 * 22 + 16);
    try { // 32,767 characters but 32,768 units: too long
        FadeThreeColors(kRed, kGreen, kBlue, std::u16string(32766, u'a') + u"\U0001F600", kFalse);
        FAIL() << "expected the overflow error";
    } catch (const Chromell::Error& e) {
        EXPECT_EQ(e.code(), 6);
        EXPECT_STREQ(e.what(), "The text is too long to fade: 32,768 UTF-16 units; the messenger's "
                               "markup holds at most 32,767.");
    }
}

TEST(Hex, OnlyOneUppercaseDigitHasAValue) {
    EXPECT_EQ(HexDigitValue(u"F"), 15);
    for (const std::u16string_view other : {u"f", u"", u"12", u"G"}) {
        EXPECT_EQ(HexDigitValue(other), 0);
    }
}

// Either case; other characters count as 0; the last eight digits only, each
// partial sum rounded to single precision (rounded once at the end, "183D2B2E"
// would give 406,661,920).
TEST(Hex, HexToNumber) {
    // clang-format off
    const std::pair<std::u16string_view, float> cases[] = {
        {u"ff", 255.0f}, {u"00FF", 255.0f}, {u"", 0.0f}, {u"G1", 1.0f}, {u" c", 12.0f},
        {u"#FF00FF", 16711935.0f}, {u"123456789", 591751040.0f}, {u"FFFFFFFF", 4294967296.0f},
        {u"1000001", 16777216.0f}, {u"183D2B2E", 406661952.0f}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(HexToNumber(text), value) << testing::PrintToString(std::u16string(text));
    }
}

} // namespace
} // namespace VexoFade
