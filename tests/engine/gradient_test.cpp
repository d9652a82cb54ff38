#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/oklab.h"
#include "engine/xterm256.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace VexoFade {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

constexpr std::uint8_t U8(auto value) {
    return static_cast<std::uint8_t>(value);
}

std::vector<Rgb> Reds(int count) { // 0, 10, 20, ... red
    std::vector<Rgb> stops;
    stops.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        stops.push_back({U8(10 * j), 0, 0});
    }
    return stops;
}
const std::vector<Rgb> kFiveReds = Reds(5);
const std::vector<Rgb> kSixteen = Reds(16);

constexpr std::u16string_view kText = u"a<&\\\n\U0001F600";

// Each format and blend on a text with "<", "&", "\", a line break and an emoji;
// the colours were worked out apart from this code.
TEST(FadeGradient, WorkedExamples) {
    using enum MarkupFormat;
    const struct {
        std::vector<Rgb> stops;
        GradientOptions options;
        std::u16string_view text;
        std::u16string_view markup;
    } examples[] = {
        // clang-format off
        {{kRed, kBlue}, {Aim, Blend::Oklab}, kText,
         u"<Font Color=#D93F57>a<Font Color=#B34F80>&lt;<Font Color=#8C53A2>&amp;"
         u"<Font Color=#654EC2>\\<Font Color=#3B3DE1>\n<Font Color=#0000FF>\U0001F600"},
        {{kRed, kGreen, kBlue}, {Html, Blend::Rgb, true}, kText,
         u"<sup><span style=\"color:#aa5500\">a</span></sup><span style=\"color:#55aa00\">&lt;</span>"
         u"<sub><span style=\"color:#00ff00\">&amp;</span></sub><span style=\"color:#00aa55\">\\</span>"
         u"<br><span style=\"color:#0000ff\">\U0001F600</span>"},
        {{kRed, kGreen, kBlue, kRed}, {BBCode}, kText,
         u"[color=#808000]a[/color][color=#00ff00]<[/color][color=#008080]&[/color]"
         u"[color=#0000ff]\\[/color]\n[color=#ff0000]\U0001F600[/color]"},
        {{kRed, kBlue}, {Ansi}, kText,
         u"\x1b[38;2;212;0;42ma\x1b[38;2;170;0;85m<\x1b[38;2;128;0;128m&\x1b[38;2;85;0;170m\\\n"
         u"\x1b[38;2;0;0;255m\U0001F600\x1b[0m"},
        {{kRed, kGreen, kBlue}, {Ansi256}, kText,
         u"\x1b[38;5;130ma\x1b[38;5;70m<\x1b[38;5;46m&\x1b[38;5;35m\\\n\x1b[38;5;21m\U0001F600\x1b[0m"},
        {{kRed, kBlue}, {MiniMessage}, kText,
         u"<#d4002a>a<#aa0055>\\<<#800080>&<#5500aa>\\\\\n<#0000ff>\U0001F600"},
        // Per line: the break is written as it is and each line starts afresh.
        {{kRed, kBlue}, {Aim, Blend::Rgb, true, true}, u"a<\r\n&\U0001F600",
         u"<Font Color=#800080><sup>a<Font Color=#0000FF></sup>&lt;\r\n"
         u"<Font Color=#800080><sup>&amp;<Font Color=#0000FF></sup>\U0001F600"},
        // Five stops over six units: bounds 1.5 and 4.5 round to even, 2, 1, 1, 2 units.
        {kFiveReds, {BBCode}, u"abcdef",
         u"[color=#050000]a[/color][color=#0a0000]b[/color][color=#140000]c[/color]"
         u"[color=#1e0000]d[/color][color=#230000]e[/color][color=#280000]f[/color]"},
        // Sixteen stops over three units: all but three segments are empty.
        {kSixteen, {MiniMessage}, u"a\\b", u"<#1e0000>a<#500000>\\\\<#820000>b"},
        // Step times index, then plus start: the 7th of 0 to 29 over 14 is
        // (29 / 14) × 7, just above 14.5; 29 × 7 / 14 would be 14.5 and give 0e.
        {{{0, 0, 0}, {29, 0, 0}}, {MiniMessage}, u"xxxxxxxxxxxxxx",
         u"<#020000>x<#040000>x<#060000>x<#080000>x<#0a0000>x<#0c0000>x<#0f0000>x"
         u"<#110000>x<#130000>x<#150000>x<#170000>x<#190000>x<#1b0000>x<#1d0000>x"},
        // The terminal formats reset the colour only if they set one.
        {kSixteen, {Ansi}, u"", u""},
        {kSixteen, {Ansi256, Blend::Rgb, false, true}, u"\n\r\n", u"\n\r\n"},
        // clang-format on
    };
    for (const auto& e : examples) {
        EXPECT_EQ(FadeGradient(e.stops, e.text, e.options), e.markup) << "row " << &e - examples;
    }
}

TEST(FadeGradient, ThreeStopAimIsTheThreeColourFader) {
    std::mt19937 random(7);
    const std::u16string alphabet = u"ab<>&\r\n \U0001F600";
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        for (auto n = random() % 40; n-- > 0;) {
            text += alphabet[random() % alphabet.size()];
        }
        RgbColor colors[3];
        std::vector<Rgb> stops;
        for (RgbColor& c : colors) {
            c = static_cast<RgbColor>(random() & 0xFFFFFF);
            stops.push_back({U8(c), U8(c >> 8), U8(c >> 16)});
        }
        const bool wave = round % 2 == 1;
        ASSERT_EQ(FadeGradient(stops, text, {MarkupFormat::Aim, Blend::Rgb, wave}),
                  FadeThreeColors(colors[0], colors[1], colors[2], text, wave ? kTrue : kFalse));
    }
}

TEST(FadeGradient, RejectsWhatItCannotWrite) {
    using enum MarkupFormat;
    const std::pair<std::vector<Rgb>, GradientOptions> cases[] = {
        {{kRed}, {}}, {std::vector<Rgb>(17), {}}, {kFiveReds, {BBCode, Blend::Rgb, true}}};
    for (const auto& [stops, options] : cases) {
        try {
            FadeGradient(stops, u"ab", options);
            ADD_FAILURE() << stops.size() << " stops";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidArgument);
        }
    }
}

// Brute force, on channel values that hold the ties between cube levels
// (115, 155, 195, 235) and between greys and the cube.
TEST(NearestXterm256, IsTheNearestEntryWithTheLowestIndexOnATie) {
    constexpr int kLevels[] = {0, 95, 135, 175, 215, 255}, kPlace[] = {36, 6, 1};
    constexpr int kValues[] = {0,   3,   4,   5,   47,  48,  52,  53,  90,  100, 114, 115,
                               116, 130, 145, 155, 156, 180, 195, 196, 228, 235, 244, 255};
    constexpr int kCount = std::size(kValues);
    for (int n = 0; n < kCount * kCount * kCount; ++n) {
        const int c[] = {kValues[n / kCount / kCount], kValues[n / kCount % kCount],
                         kValues[n % kCount]};
        int best = 0, bestDistance = 1 << 30;
        for (int k = 0; k < 240; ++k) {
            int distance = 0;
            for (int i = 0; i < 3; ++i) { // cube entries, then the greys
                const int level = k < 216 ? kLevels[k / kPlace[i] % 6] : 8 + 10 * (k - 216);
                distance += (c[i] - level) * (c[i] - level);
            }
            if (distance < bestDistance) {
                best = k;
                bestDistance = distance;
            }
        }
        ASSERT_EQ(NearestXterm256({U8(c[0]), U8(c[1]), U8(c[2])}), 16 + best)
            << c[0] << " " << c[1] << " " << c[2];
    }
}

// Right at and beside every rounding threshold, the table agrees with the formula.
TEST(EncodeSrgb, AgreesWithTheGammaFormulaAtEveryThreshold) {
    const auto formula = [](double x) {
        const double e = x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
        return static_cast<int>(std::nearbyint(std::clamp(255 * e, 0.0, 255.0)));
    };
    for (int k = 0; k < 255; ++k) {
        const double half = (k + 0.5) / 255;
        const double x = half <= 0.04045 ? half / 12.92 : std::pow((half + 0.055) / 1.055, 2.4);
        for (const double probe :
             {x, std::nextafter(x, 0.0), std::nextafter(x, 2.0), x - 1e-7, x + 1e-7}) {
            ASSERT_EQ(EncodeSrgb(probe), formula(probe)) << k << " " << probe;
        }
    }
    EXPECT_EQ(EncodeSrgb(-0.5), 0);
    EXPECT_EQ(EncodeSrgb(1.5), 255);
}

} // namespace
} // namespace VexoFade
