#include "engine/gradient.h"
#include "engine/gradient_records.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

// The colours of a BBCode fade, as numbers 0xRRGGBB.
std::vector<long> BBCodeColours(std::u16string_view markup) {
    std::vector<long> colours;
    for (std::size_t at = 0; (at = markup.find(u"[color=#", at)) != markup.npos; at += 8) {
        const std::string hex(markup.begin() + static_cast<std::ptrdiff_t>(at) + 8,
                              markup.begin() + static_cast<std::ptrdiff_t>(at) + 14);
        colours.push_back(std::stol(hex, nullptr, 16));
    }
    return colours;
}

// On a long text whose colour changes slowly, the walk skips ahead over runs
// of one colour; every unit must still get the colour nearest to its exact
// place in the gradient. Both segments are odd, so no place is a tie.
TEST(ColourWalk, SkippingAheadOnLongTextsGivesEveryUnitItsColour) {
    constexpr long kUnits = 200002; // segments of 100,001 units each
    const std::vector<Rgb> stops{{0, 0, 0}, {3, 20, 0}, {0, 0, 7}};
    const auto colours =
        BBCodeColours(FadeGradient(stops, std::u16string(kUnits, u'x'), {MarkupFormat::BBCode}));
    ASSERT_EQ(colours.size(), static_cast<std::size_t>(kUnits));
    const auto nearest = [](long from, long to, long i, long m) {
        // from + (to - from) * i / m, to the nearest integer (never a tie here)
        const long twice = 2 * (from * m + (to - from) * i);
        return (twice + (twice >= 0 ? m : -m)) / (2 * m);
    };
    for (long u = 0; u < kUnits; ++u) {
        const bool first = u < kUnits / 2;
        const Rgb& a = stops[first ? 0 : 1];
        const Rgb& b = stops[first ? 1 : 2];
        const long i = first ? u + 1 : u + 1 - kUnits / 2;
        const long m = kUnits / 2;
        const long expected = nearest(a.red, b.red, i, m) << 16 |
                              nearest(a.green, b.green, i, m) << 8 | nearest(a.blue, b.blue, i, m);
        ASSERT_EQ(colours[static_cast<std::size_t>(u)], expected) << "unit " << u;
    }
}

// Values up to the largest that fits in one entry, and beyond it, come back
// with their kind and width.
TEST(Records, EveryValueComesBackWithItsKindAndWidth) {
    using Gradient::Records;
    const std::size_t values[] = {0,
                                  1,
                                  Records::kLargestInline - 1,
                                  Records::kLargestInline,
                                  Records::kLargestInline + 1,
                                  std::size_t{1} << 32,
                                  (std::size_t{1} << 32) + 5};
    Records records;
    for (int round = 0; round < 2; ++round) {
        records.Clear();
        unsigned k = 0;
        for (const std::size_t value : values) {
            records.Add(static_cast<Records::Kind>(k % 4), k % 4, value);
            ++k;
        }
        k = 0;
        for (const std::size_t value : values) {
            const Records::Entry entry = records.Next();
            EXPECT_EQ(entry.kind, static_cast<Records::Kind>(k % 4)) << value;
            EXPECT_EQ(entry.width, k % 4) << value;
            EXPECT_EQ(entry.value, value);
            ++k;
        }
    }
}

// A text of more than one block, arriving in pieces: the blocks split after
// an LF, and a control string that holds line breaks may span the split.
// The markup is the same as the whole text's.
TEST(GradientStream, LargeInputsSplitIntoBlocksWriteTheSameMarkup) {
    std::u16string text;
    while (text.size() < (std::size_t{3} << 20)) {
        text += u"line e\u0301 \U0001F600\t\x1bP1;2|" + std::u16string(40, u'\n') + u"\x1b\\ x\r\n";
    }
    const std::vector<Rgb> stops{{255, 0, 0}, {0, 0, 255}};
    for (const MarkupFormat format : {MarkupFormat::Ansi, MarkupFormat::BBCode}) {
        for (const bool columns : {false, true}) {
            const GradientOptions options{.format = format, .columns = columns};
            const std::u16string whole = FadeGradient(stops, text, options);
            for (const std::size_t piece :
                 {std::size_t{40000}, std::size_t{65536}, std::size_t{77777}}) {
                std::u16string streamed;
                StringSink sink(streamed);
                GradientStream stream(stops, options, sink);
                for (std::size_t at = 0; at < text.size(); at += piece) {
                    stream.Append(std::u16string_view(text).substr(at, piece));
                }
                stream.Finish();
                ASSERT_EQ(streamed.size(), whole.size()) << piece;
                ASSERT_TRUE(streamed == whole) << piece;
            }
        }
    }
}

} // namespace
} // namespace VexoFade
