#include "engine/base/error.h"
#include "engine/fader.h"

#include <gtest/gtest.h>
#include <string>

namespace VexoFade {
namespace {

constexpr RgbColor kRed = MakeRgb(255, 0, 0);
constexpr RgbColor kGreen = MakeRgb(0, 255, 0);
constexpr RgbColor kBlue = MakeRgb(0, 0, 255);

TEST(FadeThreeColors, WorkedExamples) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"", kTrue), u"");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"x", kFalse), u"<Font Color=#0000FF>x");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"abc", kFalse),
              u"<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c");
    // The wave counter runs on from segment A into segment B; only -1 is true.
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"Hello", kTrue),
              u"<Font Color=#808000><sup>H<Font Color=#00FF00></sup>e<Font Color=#00AA55><sub>l"
              u"<Font Color=#0055AA></sub>l<Font Color=#0000FF><sup>o");
    for (const Flag flag : {Flag{1}, Flag{-2}, Flag{32767}}) {
        EXPECT_EQ(FadeByChannels(0, 0, 0, 0, 0, 0, 9, 9, 9, u"a", flag), u"<Font Color=#090909>a");
    }
}

TEST(FadeThreeColors, EscapesTagAndEntityCharactersAsOneStepEach) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"I <3 you&", kFalse),
              u"<Font Color=#BF4000>I<Font Color=#808000> <Font Color=#40BF00>&lt;"
              u"<Font Color=#00FF00>3<Font Color=#00CC33> <Font Color=#009966>y"
              u"<Font Color=#006699>o<Font Color=#0033CC>u<Font Color=#0000FF>&amp;");
    // CR LF is one character.
    EXPECT_EQ(FadeThreeColors(0, 0, 0, u">\t\r\n", kFalse),
              u"<Font Color=#000000>&gt;<Font Color=#000000>\t<Font Color=#000000>\r\n");
}

TEST(FadeThreeColors, SplitsTheTextWithTiesToEven) {
    // Only the last unit of segment A carries colour 2, blue 255.
    const std::size_t expectedA[] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5, 6};
    for (std::size_t total = 1; total < std::size(expectedA); ++total) {
        const auto markup = FadeThreeColors(0, kBlue, 0, std::u16string(total, u'.'), kFalse);
        const std::size_t at = markup.find(u"0000FF");
        EXPECT_EQ(at == std::u16string::npos ? 0 : at / 21 + 1, expectedA[total]) << total;
    }
}

TEST(FadeByChannels, RoundsHalfwayValuesToEvenAndChecksChannels) {
    // 255 -> 0 over two: 127.5 -> 128; 253 -> 0: 126.5 -> 126; green 0 -> 5: 2.5 -> 2.
    EXPECT_EQ(FadeByChannels(255, 0, 0, 0, 0, 0, 0, 0, 0, u"abcd", kFalse).substr(13, 6),
              u"800000");
    EXPECT_EQ(FadeByChannels(253, 0, 0, 0, 0, 0, 0, 0, 0, u"abcd", kFalse).substr(13, 6),
              u"7E0000");
    EXPECT_EQ(FadeByChannels(0, 0, 0, 0, 5, 0, 0, 0, 0, u"abcd", kFalse).substr(13, 6), u"000200");
    EXPECT_THROW(FadeByChannels(256, 0, 0, 0, 0, 0, 0, 0, 0, u"a", kFalse), Error);
    EXPECT_THROW(FadeByChannels(0, 0, 0, 0, 0, 0, 0, 0, -1, u"a", kFalse), Error);
}

TEST(FadeThreeColors, WideValuesAreSlicedByTheirDigits) {
    // "8000000E": blue from "80", green from "00", red from the last two, "0E".
    const auto system = static_cast<RgbColor>(0x8000000E);
    EXPECT_EQ(FadeThreeColors(system, system, system, u"ab", kFalse),
              u"<Font Color=#0E0080>a<Font Color=#0E0080>b");
    // Seven digits "1ABCDEF": blue "1A", green "BC", red "EF".
    EXPECT_EQ(FadeThreeColors(0, 0, 0x1ABCDEF, u"x", kFalse), u"<Font Color=#EFBC1A>x");
}

TEST(FadeThreeColors, LengthLimitCountsUtf16Units) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, std::u16string(32767, u'a'), kTrue).size(),
              32767u * 21 + 32767 / 4 * 22 + 16);
    try {
        FadeThreeColors(kRed, kGreen, kBlue, std::u16string(40000, u'a'), kFalse);
        FAIL() << "expected the overflow error";
    } catch (const Error& e) {
        EXPECT_EQ(e.code(), 6);
        EXPECT_STREQ(e.what(), "The text is too long to fade: 40,000 characters; at most 32,767.");
    }
    // 16,384 pairs are 16,384 characters but 32,768 units: too long.
    std::u16string pairs;
    for (int k = 0; k < 16384; ++k) {
        pairs += u"\U0001F600";
    }
    EXPECT_THROW(FadeThreeColors(kRed, kGreen, kBlue, pairs, kFalse), Error);
}

TEST(FadeThreeColors, SurrogatePairsAreOneCharacter) {
    // Three characters, split 2 + 1 as for "abc"; a pair at the split stays whole.
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"a\U0001F600c", kTrue),
              u"<Font Color=#808000><sup>a<Font Color=#00FF00></sup>\U0001F600"
              u"<Font Color=#0000FF><sub>c");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"\U0001F600\U0001F601", kFalse),
              u"<Font Color=#00FF00>\U0001F600<Font Color=#0000FF>\U0001F601");
}

} // namespace
} // namespace VexoFade
