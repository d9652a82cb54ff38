#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/oklab.h"
#include "engine/xterm256.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace VexoFade {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
const std::vector<Rgb> kFiveReds = {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}};
const std::vector<Rgb> kSixteen = [] {
    std::vector<Rgb> stops;
    for (int j = 0; j < 16; ++j) {
        stops.push_back({static_cast<std::uint8_t>(10 * j), 0, 0});
    }
    return stops;
}();

struct Example {
    std::vector<Rgb> stops;
    GradientOptions options;
    std::u16string_view text;
    std::u16string_view markup;
};

constexpr std::u16string_view kText = u"a<&\\\n\U0001F600";

// Each text has "<", "&", "\", a line break and an emoji. The colours were
// worked out apart from this code (OKLab with the power functions directly).
TEST(FadeGradient, WorkedExamples) {
    using enum MarkupFormat;
    const Example examples[] = {
        // clang-format off
        {{kRed, kGreen, kBlue}, {Aim, Blend::Rgb, true}, kText,
         u"<Font Color=#AA5500><sup>a<Font Color=#55AA00></sup>&lt;<Font Color=#00FF00><sub>&amp;"
         u"<Font Color=#00AA55></sub>\\<Font Color=#0055AA><sup>\n<Font Color=#0000FF></sup>\U0001F600"},
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
        {{kRed, kBlue}, {Ansi256, Blend::Oklab}, kText,
         u"\x1b[38;5;167ma\x1b[38;5;132m<\x1b[38;5;97m&\x1b[38;5;61m\\\n\x1b[38;5;21m\U0001F600\x1b[0m"},
        {{kRed, kBlue}, {MiniMessage}, kText,
         u"<#d4002a>a<#aa0055>\\<<#800080>&<#5500aa>\\\\\n<#0000ff>\U0001F600"},
        // Per line: the break is written as it is and each line starts afresh.
        {{kRed, kBlue}, {Aim, Blend::Rgb, true, true}, u"a<\r\n&\U0001F600",
         u"<Font Color=#800080><sup>a<Font Color=#0000FF></sup>&lt;\r\n"
         u"<Font Color=#800080><sup>&amp;<Font Color=#0000FF></sup>\U0001F600"},
        // Five stops over six units: 6 × 1 / 4 = 1.5 and 6 × 3 / 4 = 4.5 round
        // to even, so the segments hold 2, 1, 1 and 2 units.
        {kFiveReds, {BBCode}, u"abcdef",
         u"[color=#050000]a[/color][color=#0a0000]b[/color][color=#140000]c[/color]"
         u"[color=#1e0000]d[/color][color=#230000]e[/color][color=#280000]f[/color]"},
        // Sixteen stops over three units: all but three segments are empty.
        {kSixteen, {MiniMessage}, u"a\\b", u"<#1e0000>a<#500000>\\\\<#820000>b"},
        // The terminal formats reset the colour only if they set one.
        {kSixteen, {Ansi}, u"", u""},
        {kSixteen, {Ansi256, Blend::Rgb, false, true}, u"\n\r\n", u"\n\r\n"},
        // clang-format on
    };
    for (const Example& e : examples) {
        EXPECT_EQ(FadeGradient(e.stops, e.text, e.options), e.markup)
            << "format " << static_cast<int>(e.options.format) << ", " << e.stops.size()
            << " stops";
    }
}

TEST(FadeGradient, ChannelIsStepTimesIndexPlusStart) {
    // Red 0 to 29 over 14 units, the 7th: (29 / 14) × 7 comes out just above
    // 14.5 and gives 15; 29 × 7 / 14 would be exactly 14.5 and give 14.
    const Rgb stops[] = {{0, 0, 0}, {29, 0, 0}};
    const std::u16string markup = FadeGradient(stops, std::u16string(14, u'x'));
    EXPECT_EQ(markup.substr(6 * 21 + 13, 6), u"0F0000");
}

TEST(FadeGradient, ThreeStopAimIsTheThreeColourFader) {
    std::mt19937 random(7);
    const std::u16string alphabet = u"ab<>&\r\n \U0001F600";
    for (int round = 0; round < 300; ++round) {
        std::u16string text(random() % 40, u' ');
        for (char16_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        const RgbColor colors[] = {static_cast<RgbColor>(random() & 0xFFFFFF),
                                   static_cast<RgbColor>(random() & 0xFFFFFF),
                                   static_cast<RgbColor>(random() & 0xFFFFFF)};
        std::vector<Rgb> stops;
        for (const RgbColor c : colors) {
            stops.push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                             static_cast<std::uint8_t>(c >> 16)});
        }
        const bool wave = round % 2 == 1;
        ASSERT_EQ(FadeGradient(stops, text, {MarkupFormat::Aim, Blend::Rgb, wave}),
                  FadeThreeColors(colors[0], colors[1], colors[2], text, wave ? kTrue : kFalse));
    }
}

TEST(FadeGradient, RejectsWhatItCannotWrite) {
    using enum MarkupFormat;
    const std::vector<Rgb> seventeen(17, kRed);
    const std::u16string tooLong(kMaxFadeLength + 1, u'x');
    const auto error = [](std::span<const Rgb> stops, std::u16string_view text, MarkupFormat format,
                          bool wave) {
        try {
            FadeGradient(stops, text, {format, Blend::Rgb, wave});
        } catch (const Error& e) {
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(error(std::span(kFiveReds).first(1), u"ab", Aim, false), 5);
    EXPECT_EQ(error(seventeen, u"ab", Aim, false), 5);
    EXPECT_EQ(error(kFiveReds, u"ab", BBCode, true), 5);
    EXPECT_EQ(error(kFiveReds, u"", Ansi, true), 5);
    EXPECT_EQ(error(kFiveReds, tooLong, Html, false), 6);
    EXPECT_EQ(error(kSixteen, std::u16string_view(tooLong).substr(1), Html, true), 0);
}

// Brute force, on channel values that hold the ties between cube levels
// (115, 155, 195, 235) and between greys and the cube.
TEST(NearestXterm256, IsTheNearestEntryWithTheLowestIndexOnATie) {
    constexpr int kLevels[] = {0, 95, 135, 175, 215, 255};
    const auto entry = [&](int k) -> std::array<int, 3> {
        if (k >= 216) {
            return {8 + 10 * (k - 216), 8 + 10 * (k - 216), 8 + 10 * (k - 216)};
        }
        return {kLevels[k / 36], kLevels[k / 6 % 6], kLevels[k % 6]};
    };
    const int values[] = {0,   3,   4,   5,   47,  48,  52,  53,  90,  100, 114, 115,
                          116, 130, 145, 155, 156, 180, 195, 196, 228, 235, 244, 255};
    for (const int r : values) {
        for (const int g : values) {
            for (const int b : values) {
                int best = 0, bestDistance = 1 << 30;
                for (int k = 0; k < 240; ++k) {
                    const auto [er, eg, eb] = entry(k);
                    const int distance =
                        (r - er) * (r - er) + (g - eg) * (g - eg) + (b - eb) * (b - eb);
                    if (distance < bestDistance) {
                        best = k;
                        bestDistance = distance;
                    }
                }
                const Rgb colour{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(b)};
                ASSERT_EQ(NearestXterm256(colour), 16 + best) << r << " " << g << " " << b;
            }
        }
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
