#include "engine/base/error.h"
#include "engine/fader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

constexpr RgbColor kRed = MakeRgb(255, 0, 0);
constexpr RgbColor kGreen = MakeRgb(0, 255, 0);
constexpr RgbColor kBlue = MakeRgb(0, 0, 255);

struct Unit {
    std::u16string digits;
    std::u16string wave;
    std::u16string character;
};

// Splits fader output back into its units; fails the test on anything else.
std::vector<Unit> SplitUnits(std::u16string_view markup) {
    static constexpr std::u16string_view kPrefix = u"<Font Color=#";
    std::vector<Unit> units;
    while (!markup.empty()) {
        EXPECT_TRUE(markup.starts_with(kPrefix)) << "unit does not start with the colour tag";
        if (!markup.starts_with(kPrefix) || markup.size() < kPrefix.size() + 8) {
            return units;
        }
        Unit unit;
        unit.digits = markup.substr(kPrefix.size(), 6);
        EXPECT_EQ(markup[kPrefix.size() + 6], u'>');
        markup.remove_prefix(kPrefix.size() + 7);
        for (std::u16string_view tag : {u"<sup>", u"</sup>", u"<sub>", u"</sub>"}) {
            if (markup.starts_with(tag) && markup.size() > tag.size() &&
                !markup.substr(tag.size()).starts_with(kPrefix)) {
                unit.wave = tag;
                markup.remove_prefix(tag.size());
                break;
            }
        }
        const bool pair = markup.size() > 1 && markup[0] >= 0xD800 && markup[0] <= 0xDBFF &&
                          markup[1] >= 0xDC00 && markup[1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        unit.character = markup.substr(0, length);
        markup.remove_prefix(length);
        units.push_back(unit);
    }
    return units;
}

TEST(FadeThreeColors, WorkedExamples) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"abc", kFalse),
              u"<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"abc", kTrue),
              u"<Font Color=#808000><sup>a<Font Color=#00FF00></sup>b<Font Color=#0000FF><sub>c");
    // The wave counter runs on from segment A into segment B.
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"Hello", kTrue),
              u"<Font Color=#808000><sup>H<Font Color=#00FF00></sup>e<Font "
              u"Color=#00AA55><sub>l<Font Color=#0055AA></sub>l<Font Color=#0000FF><sup>o");
}

TEST(FadeThreeColors, ShortTexts) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"", kTrue), u"");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"x", kFalse), u"<Font Color=#0000FF>x");
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"xy", kFalse),
              u"<Font Color=#00FF00>x<Font Color=#0000FF>y");
}

TEST(FadeThreeColors, EqualColorsGiveOneColorThroughout) {
    const RgbColor teal = MakeRgb(0x12, 0x9A, 0xBC);
    for (const Unit& unit : SplitUnits(FadeThreeColors(teal, teal, teal, u"seven!!", kFalse))) {
        EXPECT_EQ(unit.digits, u"129ABC");
    }
}

TEST(FadeThreeColors, EscapesTagAndEntityCharactersAsOneStepEach) {
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"I <3 you&", kFalse),
              u"<Font Color=#BF4000>I<Font Color=#808000> <Font Color=#40BF00>&lt;"
              u"<Font Color=#00FF00>3<Font Color=#00CC33> <Font Color=#009966>y"
              u"<Font Color=#006699>o<Font Color=#0033CC>u<Font Color=#0000FF>&amp;");
    EXPECT_EQ(FadeThreeColors(0, 0, 0, u">\t\r\n", kFalse),
              u"<Font Color=#000000>&gt;<Font Color=#000000>\t<Font Color=#000000>\r\n");
}

TEST(FadeThreeColors, SplitsTheTextWithTiesToEven) {
    // Colour 2 closes segment A and colour 3 closes segment B, so the number
    // of units in colour 2's range tells where the split fell.
    const std::size_t expectedA[] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5, 6};
    for (std::size_t total = 0; total < std::size(expectedA); ++total) {
        const std::u16string text(total, u'.');
        const auto units = SplitUnits(FadeThreeColors(0, MakeRgb(0, 0, 255), 0, text, kFalse));
        ASSERT_EQ(units.size(), total);
        const std::size_t half = expectedA[total];
        if (half > 0) {
            EXPECT_EQ(units[half - 1].digits, u"0000FF") << "total " << total;
        }
        for (std::size_t k = half; k < total; ++k) {
            // Segment B falls from blue 255 to 0: strictly below 255.
            EXPECT_NE(units[k].digits, u"0000FF") << "total " << total << " unit " << k;
        }
    }
}

TEST(FadeByChannels, RoundsHalfwayValuesToEven) {
    // Red 255 -> 0 over two characters: 127.5 rounds up to 128.
    EXPECT_EQ(SplitUnits(FadeByChannels(255, 0, 0, 0, 0, 0, 0, 0, 0, u"abcd", kFalse))[0].digits,
              u"800000");
    // 253 -> 0: 126.5 rounds down to 126.
    EXPECT_EQ(SplitUnits(FadeByChannels(253, 0, 0, 0, 0, 0, 0, 0, 0, u"abcd", kFalse))[0].digits,
              u"7E0000");
    // Each channel rounds on its own: green 0 -> 5 over two is 2.5 -> 2.
    EXPECT_EQ(SplitUnits(FadeByChannels(0, 0, 0, 0, 5, 0, 0, 0, 0, u"abcd", kFalse))[0].digits,
              u"000200");
}

TEST(FadeByChannels, GradientStaysBetweenItsEndpoints) {
    // 999 characters: 2k + 1 with k = 499 odd, so segment A takes 500.
    const auto units = SplitUnits(
        FadeByChannels(10, 200, 0, 250, 0, 255, 0, 255, 128, std::u16string(999, u'z'), kFalse));
    ASSERT_EQ(units.size(), 999u);
    auto channel = [](const Unit& unit, int k) {
        return std::stoi(std::string(unit.digits.begin() + 2 * k, unit.digits.begin() + 2 * k + 2),
                         nullptr, 16);
    };
    for (std::size_t k = 0; k < units.size(); ++k) {
        const bool inA = k < 500;
        const int red = channel(units[k], 0), green = channel(units[k], 1);
        const int blue = channel(units[k], 2);
        EXPECT_TRUE(inA ? (red >= 10 && red <= 250) : (red <= 250)) << k;
        EXPECT_TRUE(inA ? (green <= 200) : (green <= 255)) << k;
        EXPECT_TRUE(inA ? (blue <= 255) : (blue >= 128 && blue <= 255)) << k;
    }
    EXPECT_EQ(units[499].digits, u"FA00FF");
    EXPECT_EQ(units[500].digits, u"F901FF");
    EXPECT_EQ(units.back().digits, u"00FF80");
}

TEST(FadeByChannels, WaveCycleAndFlagValues) {
    const auto units = SplitUnits(FadeByChannels(1, 2, 3, 4, 5, 6, 7, 8, 9, u"12345678", kTrue));
    const std::u16string expected[] = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
    ASSERT_EQ(units.size(), 8u);
    for (std::size_t k = 0; k < units.size(); ++k) {
        EXPECT_EQ(units[k].wave, expected[k % 4]) << "unit " << k;
    }
    // Only -1 switches the wave on.
    for (const Flag flag : {Flag{1}, Flag{-2}, Flag{0}, Flag{32767}}) {
        EXPECT_EQ(FadeByChannels(0, 0, 0, 0, 0, 0, 0, 0, 0, u"ab", flag),
                  u"<Font Color=#000000>a<Font Color=#000000>b");
    }
}

TEST(FadeByChannels, RejectsChannelsOutsideAByte) {
    EXPECT_THROW(FadeByChannels(256, 0, 0, 0, 0, 0, 0, 0, 0, u"a", kFalse), Error);
    EXPECT_THROW(FadeByChannels(0, 0, 0, 0, 0, 0, 0, 0, -1, u"a", kFalse), Error);
}

TEST(FadeThreeColors, WideValuesAreSlicedByTheirDigits) {
    // "8000000E": blue from "80", green from "00", red from the last two, "0E".
    const auto systemColor = static_cast<RgbColor>(0x8000000E);
    for (const Unit& unit :
         SplitUnits(FadeThreeColors(systemColor, systemColor, systemColor, u"Any text", kFalse))) {
        EXPECT_EQ(unit.digits, u"0E0080");
    }
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
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
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
    // Three characters, so the split is 2 + 1 exactly as for "abc".
    EXPECT_EQ(FadeThreeColors(kRed, kGreen, kBlue, u"a\U0001F600c", kTrue),
              u"<Font Color=#808000><sup>a<Font Color=#00FF00></sup>\U0001F600"
              u"<Font Color=#0000FF><sub>c");
    // A pair right at the split stays whole.
    const auto units =
        SplitUnits(FadeThreeColors(kRed, kGreen, kBlue, u"\U0001F600\U0001F601", kFalse));
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].character, u"\U0001F600");
    EXPECT_EQ(units[0].digits, u"00FF00");
    EXPECT_EQ(units[1].character, u"\U0001F601");
    // A lone surrogate is carried through as a character of its own.
    const std::u16string lone = {u'a', char16_t(0xD800), u'b'};
    EXPECT_EQ(SplitUnits(FadeThreeColors(kRed, kGreen, kBlue, lone, kFalse)).size(), 3u);
}

} // namespace
} // namespace VexoFade
