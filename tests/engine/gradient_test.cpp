#include "base/error.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/oklab.h"
#include "engine/xterm256.h"

#include <cmath>
#include <gtest/gtest.h>
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
         u"<span style=\"white-space:pre-wrap\"><sup><span style=\"color:#aa5500\">a</span></sup><span style=\"color:#55aa00\">&lt;</span>"
         u"<sub><span style=\"color:#00ff00\">&amp;</span></sub><span style=\"color:#00aa55\">\\</span>"
         u"<br><span style=\"color:#0000ff\">\U0001F600</span></span>"},
        {{kRed, kGreen, kBlue, kRed}, {BBCode}, kText,
         u"[color=#808000]a[/color][color=#00ff00]<[/color][color=#008080]&[/color]"
         u"[color=#0000ff]\\[/color]\n[color=#ff0000]\U0001F600[/color]"},
        {{kRed, kBlue}, {Ansi}, kText,
         u"\x1b[38;2;212;0;42ma\x1b[38;2;170;0;85m<\x1b[38;2;128;0;128m&\x1b[38;2;85;0;170m\\\x1b[0m\n"
         u"\x1b[38;2;0;0;255m\U0001F600\x1b[0m"},
        {{kRed, kGreen, kBlue}, {Ansi256}, kText,
         u"\x1b[38;5;130ma\x1b[38;5;70m<\x1b[38;5;46m&\x1b[38;5;35m\\\x1b[0m\n\x1b[38;5;21m\U0001F600\x1b[0m"},
        {{kRed, kBlue}, {MiniMessage}, kText,
         u"<c:#d4002a>a</c><c:#aa0055>\\<</c><c:#800080>&</c><c:#5500aa>\\\\</c>\n"
         u"<c:#0000ff>\U0001F600</c>"},
        // Per line: the break is written as it is and each line starts afresh.
        {{kRed, kBlue}, {Aim, Blend::Rgb, true, true}, u"a<\r\n&\U0001F600",
         u"<Font Color=#800080><sup>a<Font Color=#0000FF></sup>&lt;\r\n"
         u"<Font Color=#800080><sup>&amp;<Font Color=#0000FF></sup>\U0001F600"},
        // Five stops over six units: bounds 1.5 and 4.5 round to even, 2, 1, 1, 2 units.
        {kFiveReds, {BBCode}, u"abcdef",
         u"[color=#050000]a[/color][color=#0a0000]b[/color][color=#140000]c[/color]"
         u"[color=#1e0000]d[/color][color=#230000]e[/color][color=#280000]f[/color]"},
        // Sixteen stops over three units: all but three segments are empty.
        {kSixteen, {MiniMessage}, u"a\\b", u"<c:#1e0000>a</c><c:#500000>\\\\</c><c:#820000>b</c>"},
        // Step times index, then plus start: the 7th of 0 to 29 over 14 is
        // (29 / 14) × 7, just above 14.5; 29 × 7 / 14 would be 14.5 and give 0e.
        {{{0, 0, 0}, {29, 0, 0}}, {BBCode}, u"xxxxxxxxxxxxxx",
         u"[color=#020000]x[/color][color=#040000]x[/color][color=#060000]x[/color]"
         u"[color=#080000]x[/color][color=#0a0000]x[/color][color=#0c0000]x[/color]"
         u"[color=#0f0000]x[/color][color=#110000]x[/color][color=#130000]x[/color]"
         u"[color=#150000]x[/color][color=#170000]x[/color][color=#190000]x[/color]"
         u"[color=#1b0000]x[/color][color=#1d0000]x[/color]"},
        // The terminal formats reset the colour only if they set one.
        {kSixteen, {Ansi}, u"", u""},
        {kSixteen, {Ansi256, Blend::Rgb, false, true}, u"\n\r\n", u"\n\r\n"},
        // clang-format on
    };
    for (const auto& e : examples) {
        EXPECT_EQ(FadeGradient(e.stops, e.text, e.options), e.markup) << "row " << &e - examples;
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
        } catch (const Chromell::Error& e) {
            EXPECT_EQ(e.number(), Chromell::ErrorNumber::InvalidArgument);
        }
    }
}

// Colours as the terminal formats give them, "r;g;b" per coloured unit.
std::vector<std::u16string> AnsiColours(std::u16string_view markup) {
    std::vector<std::u16string> colours;
    for (std::size_t at = 0; (at = markup.find(u"\x1b[38;2;", at)) != markup.npos;) {
        const std::size_t end = markup.find(u'm', at);
        colours.emplace_back(markup.substr(at + 7, end - at - 7));
        at = end;
    }
    return colours;
}

TEST(FadeGradient, TerminalLinesEndUncoloured) {
    const std::vector<Rgb> stops{kRed, kBlue};
    const GradientOptions ansi{MarkupFormat::Ansi};
    // CR, LF and CR LF each break a line (a colour step each, uncoloured), and
    // the colour is reset before each.
    EXPECT_EQ(FadeGradient(stops, u"a\rb\r\nc\nd", ansi),
              u"\x1b[38;2;219;0;36ma\x1b[0m\r\x1b[38;2;146;0;109mb\x1b[0m\r\n"
              u"\x1b[38;2;73;0;182mc\x1b[0m\n\x1b[38;2;0;0;255md\x1b[0m");
    // Only a control sequence: nothing to colour, and the reset still follows it.
    EXPECT_EQ(FadeGradient(stops, u"\x1b[31m", {MarkupFormat::Ansi256}), u"\x1b[31m\x1b[0m");
    // The markup formats treat ESC as a character like any other.
    EXPECT_EQ(FadeGradient(stops, u"\x1b[", {MarkupFormat::BBCode}),
              u"[color=#800080]\x1b[/color][color=#0000ff][[/color]");
}

TEST(FadeGradient, HtmlKeepsWhiteSpaceAndBreaksEveryLine) {
    const std::vector<Rgb> stops{kRed, kBlue};
    const std::u16string markup =
        FadeGradient(stops, u" \t\r\n\r", {MarkupFormat::Html, Blend::Rgb, false, true});
    EXPECT_EQ(markup, u"<span style=\"white-space:pre-wrap\"><span style=\"color:#800080\"> "
                      u"</span><span style=\"color:#0000ff\">\t</span><br><br></span>");
}

// The messenger's markup is limited; the other formats are not.
TEST(FadeGradient, OnlyTheMessengersMarkupHasALengthLimit) {
    const std::vector<Rgb> stops{kRed, kBlue};
    const std::u16string longText(kMaxFadeLength + 1, u'x');
    EXPECT_EQ(AnsiColours(FadeGradient(stops, longText, {MarkupFormat::Ansi})).size(),
              longText.size());
    for (const MarkupFormat format : {MarkupFormat::Html, MarkupFormat::BBCode, MarkupFormat::Ansi,
                                      MarkupFormat::Ansi256, MarkupFormat::MiniMessage}) {
        EXPECT_NO_THROW(FadeGradient(stops, longText, {format}));
    }
    try {
        FadeGradient(stops, longText, {MarkupFormat::Aim, Blend::Rgb, false, true});
        ADD_FAILURE();
    } catch (const Chromell::Error& e) {
        EXPECT_EQ(e.number(), Chromell::ErrorNumber::Overflow);
        EXPECT_STREQ(e.what(), "The text is too long to fade: 32,768 UTF-16 units; the messenger's "
                               "markup holds at most 32,767.");
    }
    std::u16string out;
    StringSink sink(out);
    GradientStream stream(stops, {}, sink);
    EXPECT_THROW(stream.Append(longText), Chromell::Error);
}

// Collects what a stream has written so far.
struct Collected final : MarkupSink {
    std::u16string text;
    void Write(std::u16string_view block) override { text.append(block); }
};

TEST(GradientStream, WritesEachLineWhenItsBreakArrivesAndMatchesTheWholeFade) {
    const std::vector<Rgb> stops{kRed, kGreen, kBlue};
    const std::u16string text = u"a\x1b[1m\u0301b\r\r\n\U0001F600x\ny\rz";
    for (const MarkupFormat format : {MarkupFormat::Aim, MarkupFormat::Html, MarkupFormat::Ansi}) {
        for (const bool perLine : {false, true}) {
            const GradientOptions options{format, Blend::Rgb, false, perLine};
            const std::u16string whole = FadeGradient(stops, text, options);
            for (std::size_t cut = 0; cut <= text.size(); ++cut) {
                Collected sink;
                GradientStream stream(stops, options, sink);
                stream.Append(std::u16string_view(text).substr(0, cut));
                stream.Append(std::u16string_view(text).substr(cut));
                stream.Finish();
                ASSERT_EQ(sink.text, whole) << cut << " " << perLine;
            }
        }
    }
    // A line is out as soon as its break is in, a CR ending the piece too.
    Collected sink;
    GradientStream stream(stops, {MarkupFormat::Ansi, Blend::Rgb, false, true}, sink);
    stream.Append(u"ab\rc");
    EXPECT_EQ(sink.text, u"\x1b[38;2;0;255;0ma\x1b[38;2;0;0;255mb\x1b[0m\r");
    stream.Append(u"\n");
    EXPECT_EQ(sink.text.back(), u'\n');
}

TEST(FadeGradient, ColumnsGiveEveryLineTheSameColourPerColumn) {
    constexpr std::u16string_view kHexDigits = u"0123456789abcdef";
    const std::vector<Rgb> stops{{0, 0, 0}, {100, 0, 0}};
    const GradientOptions columns{.format = MarkupFormat::BBCode, .columns = true};
    // Ten columns: 10, 20, ... 100, whichever line a column is on. A wide
    // character takes the colour of its first column, a combining mark joins
    // its letter, a tab reaches the next multiple of 8.
    std::u16string expected;
    for (std::size_t c = 1; c <= 10; ++c) {
        expected += u"[color=#" + std::u16string{kHexDigits[c * 10 / 16], kHexDigits[c * 10 % 16]} +
                    u"0000]" + static_cast<char16_t>(u'/' + c) + u"[/color]";
    }
    expected += u"\n[color=#0a0000]\u4E00[/color][color=#1e0000]e\u0301[/color]\n"
                u"[color=#0a0000]\t[/color][color=#5a0000]x[/color]";
    EXPECT_EQ(FadeGradient(stops, u"0123456789\n\u4E00e\u0301\n\tx", columns), expected);
    try {
        FadeGradient(stops, u"x", {.perLine = true, .columns = true});
        ADD_FAILURE();
    } catch (const Chromell::Error& e) {
        EXPECT_EQ(e.number(), Chromell::ErrorNumber::InvalidArgument);
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
