// Any bytes become colours, options and a text. The three-colour fader must
// hold its invariants; any gradient must either be written or refused with
// the documented error, the same whether the text comes whole or in two
// pieces; and in the terminal formats, a text with controls in it must come
// back byte for byte once the colours the fade adds are taken out, with no
// colour inside a control.
#include "base/error.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/hex.h"
#include "engine/terminal_controls.h"
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
    } catch (const Chromell::Error& e) {
        Check(e.number() == Chromell::ErrorNumber::Overflow && text.size() > kMaxFadeLength);
        return;
    }
    Check(text.size() <= kMaxFadeLength);

    // Every unit is a colour tag, maybe a wave tag, then text; with "<", ">"
    // and "&" escaped, the markup's "<" are exactly the tags'.
    const std::size_t units = CountGraphemes(text);
    std::size_t opens = 0;
    for (const char16_t c : markup) {
        opens += c == u'<' ? 1U : 0U;
    }
    Check(opens == units * (wave == kTrue ? 2 : 1));
    Check(markup.empty() == text.empty());
    // The last character has colour 3: a colour laid out 0x00BBGGRR is
    // written RRGGBB.
    const RgbColor last = colors[2];
    if (!text.empty() && last >= 0 && last <= 0xFFFFFF) {
        const std::u16string digits = markup.substr(markup.rfind(u"<Font Color=#") + 13, 6);
        Check(digits == ColorToHex6((last & 0xFF) << 16 | (last & 0xFF00) | (last >> 16 & 0xFF)));
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
    } catch (const Chromell::Error& e) {
        Check(stops.size() < kMinStops || stops.size() > kMaxStops ||
              (options.wave && !HasWave(options.format)) || (options.perLine && options.columns) ||
              (options.format == MarkupFormat::Aim && text.size() > kMaxFadeLength));
    }
}

// Text with controls: characters, line breaks, controls as programs write
// them, and an ESC or a C1 control followed by anything.
std::u16string TextWithControls(FuzzedDataProvider& input) {
    static constexpr std::u16string_view kControls[] = {
        u"\x1b(B\x1b[m",
        u"\x1b"
        u"7",
        u"\x1b"
        u"8",
        u"\x1b"
        u"c",
        u"\x1b(0",
        u"\x1b[1;31m",
        u"\x1b]8;;u\x1b\\",
        u"\x1bPq\n#0\x1b\\",
        u"\u009b2J",
        u"\u009d0;t\x07",
        u"\u009c",
        u"\x07",
        u"\x08",
        u"\x18",
        u"\x1b]0;unfinished",
        u"\x1b[",
    };
    std::u16string text;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
            text += static_cast<char16_t>(input.ConsumeIntegralInRange(0x20, 0x7E));
            break;
        case 1:
            text += input.ConsumeIntegral<char16_t>();
            break;
        case 2:
            text +=
                kControls[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kControls) - 1)];
            break;
        case 3:
            text += input.ConsumeBool() ? u'\x1b' : u'\u009b';
            break;
        case 4:
            text += input.ConsumeBool() ? u"\r\n" : input.ConsumeBool() ? u"\n" : u"\r";
            break;
        default:
            text += u"e\u0301\U0001F600\t\u4E00";
        }
    }
    return text;
}

void FuzzTerminal(FuzzedDataProvider& input) {
    GradientOptions options;
    options.format = input.ConsumeBool() ? MarkupFormat::Ansi : MarkupFormat::Ansi256;
    options.perLine = input.ConsumeBool();
    options.columns = !options.perLine && input.ConsumeBool();
    const std::vector<Rgb> stops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const std::u16string text = TextWithControls(input);
    // Every colour sequence in the markup is then one the fade added.
    if (text.find(u"\x1b[38;") != text.npos || text.find(u"\x1b[0m") != text.npos) {
        return;
    }
    const std::u16string markup = FadeGradient(stops, text, options);

    // Take out the colours, noting where in the text each stood.
    std::u16string rest;
    std::vector<std::size_t> colourAt;
    for (std::size_t at = 0; at < markup.size();) {
        const std::u16string_view tail = std::u16string_view(markup).substr(at);
        if (tail.starts_with(u"\x1b[38;2;") || tail.starts_with(u"\x1b[38;5;")) {
            colourAt.push_back(rest.size());
            at = markup.find(u'm', at) + 1;
        } else if (tail.starts_with(u"\x1b[0m")) {
            colourAt.push_back(rest.size());
            at += 4;
        } else {
            rest += markup[at++];
        }
    }
    Check(rest == text);
    // No colour stands inside a control of the text.
    Terminal::State state = Terminal::State::Ground;
    for (std::size_t at = 0; at < text.size();) {
        if (!Terminal::StartsControl(text[at])) {
            ++at;
            continue;
        }
        const std::size_t end = Terminal::ReadControl(text, at, state);
        for (const std::size_t c : colourAt) {
            Check(c <= at || c >= end);
        }
        at = end;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        FuzzThreeColors(input);
        break;
    case 1:
        FuzzGradient(input);
        break;
    default:
        FuzzTerminal(input);
    }
    return 0;
}
