// Any bytes become colours, options and a text. The three-colour fader must
// hold its invariants and equal the three-stop aim gradient; any gradient must
// either be written or refused with the documented error.
#include "base/error.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/hex.h"
#include "engine/unicode/grapheme.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string_view>
#include <vector>

namespace {

using namespace VexoFade;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The channels the fader takes from a colour: by the digits of its hex text.
Rgb Split(RgbColor color) {
    const std::u16string hex = ColorToHex6(color);
    auto pair = [&](std::size_t at) {
        return static_cast<std::uint8_t>(HexDigitValue(hex.substr(at, 1)) * 16 +
                                         HexDigitValue(hex.substr(at + 1, 1)));
    };
    return {pair(hex.size() - 2), pair(2), pair(0)};
}

std::u16string Text(FuzzedDataProvider& input) {
    std::u16string text;
    const std::uint8_t padding = input.ConsumeIntegral<std::uint8_t>();
    while (input.remaining_bytes() >= 2) {
        text += input.ConsumeIntegral<char16_t>();
    }
    // Now and then pad the text right up to the limit, or one past it.
    if (padding == 0xAA || padding == 0xAB) {
        text.resize(kMaxFadeLength + (padding == 0xAB ? 1 : 0), u'x');
    }
    return text;
}

void FuzzThreeColors(FuzzedDataProvider& input) {
    const std::array<RgbColor, 3> colors = {input.ConsumeIntegral<RgbColor>(),
                                            input.ConsumeIntegral<RgbColor>(),
                                            input.ConsumeIntegral<RgbColor>()};
    const auto wave = input.ConsumeBool() ? kTrue : input.ConsumeIntegral<Flag>();
    const std::u16string text = Text(input);
    std::u16string markup;
    try {
        markup = FadeThreeColors(colors[0], colors[1], colors[2], text, wave);
    } catch (const Error& e) {
        Check(e.number() == ErrorNumber::Overflow && text.size() > kMaxFadeLength);
        return;
    }
    Check(text.size() <= kMaxFadeLength);
    const std::array<Rgb, 3> stops = {Split(colors[0]), Split(colors[1]), Split(colors[2])};
    Check(markup == FadeGradient(stops, text, {MarkupFormat::Aim, Blend::Rgb, wave == kTrue}));

    // Every unit is a colour tag, maybe a wave tag, then text; with "<", ">"
    // and "&" escaped, the markup's "<" are exactly the tags'.
    const std::size_t units = CountGraphemes(text);
    std::size_t opens = 0;
    for (const char16_t c : markup) {
        opens += c == u'<' ? 1U : 0U;
    }
    Check(opens == units * (wave == kTrue ? 2 : 1));
    Check(markup.empty() == text.empty());
    if (!text.empty()) {
        const Rgb last = stops[2];
        const std::u16string lastDigits = markup.substr(markup.rfind(u"<Font Color=#") + 13, 6);
        Check(lastDigits == ColorToHex6(last.red * 65536 + last.green * 256 + last.blue));
    }
}

void FuzzGradient(FuzzedDataProvider& input) {
    std::vector<Rgb> stops(input.ConsumeIntegralInRange<std::size_t>(0, 18));
    for (Rgb& stop : stops) {
        stop = {input.ConsumeIntegral<std::uint8_t>(), input.ConsumeIntegral<std::uint8_t>(),
                input.ConsumeIntegral<std::uint8_t>()};
    }
    GradientOptions options;
    options.format = static_cast<MarkupFormat>(input.ConsumeIntegralInRange(0, 5));
    options.blend = input.ConsumeBool() ? Blend::Oklab : Blend::Rgb;
    options.wave = input.ConsumeBool();
    options.perLine = input.ConsumeBool();
    options.columns = input.ConsumeBool();
    const std::size_t cut = input.ConsumeIntegral<std::uint16_t>();
    const std::u16string text = Text(input);
    try {
        const std::u16string markup = FadeGradient(stops, text, options);
        // The same text in two pieces, cut anywhere, gives the same markup.
        std::u16string streamed;
        StringSink sink(streamed);
        GradientStream stream(stops, options, sink);
        const std::u16string_view view(text);
        stream.Append(view.substr(0, std::min(cut, text.size())));
        stream.Append(view.substr(std::min(cut, text.size())));
        stream.Finish();
        Check(streamed == markup);
    } catch (const Error& e) {
        const bool waveless =
            options.format != MarkupFormat::Aim && options.format != MarkupFormat::Html;
        Check(stops.size() < kMinStops || stops.size() > kMaxStops || (options.wave && waveless) ||
              (options.perLine && options.columns) ||
              (options.format == MarkupFormat::Aim && text.size() > kMaxFadeLength));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        FuzzThreeColors(input);
    } else {
        FuzzGradient(input);
    }
    return 0;
}
