// Any bytes become three colours, a wave flag and a text; the markup must hold
// the fader's invariants whatever they are.
#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/hex.h"
#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

namespace {

using namespace VexoFade;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsPair(std::u16string_view text, std::size_t at) {
    return at + 1 < text.size() && (text[at] & 0xFC00) == 0xD800 &&
           (text[at + 1] & 0xFC00) == 0xDC00;
}

struct Channels {
    int red, green, blue;
};

// The channels the fader takes from a colour: by the digits of its hex text.
Channels Split(RgbColor color) {
    const std::u16string hex = ColorToHex6(color);
    auto pair = [&](std::size_t at) {
        return HexDigitValue(hex.substr(at, 1)) * 16 + HexDigitValue(hex.substr(at + 1, 1));
    };
    return {pair(hex.size() - 2), pair(2), pair(0)};
}

int HexPair(std::u16string_view digits) {
    auto value = [](char16_t c) {
        Check((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'));
        return c <= u'9' ? c - u'0' : c - u'A' + 10;
    };
    return value(digits[0]) * 16 + value(digits[1]);
}

bool Between(int value, int a, int b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ChromellFuzz::FuzzInput input(data, size);
    const std::array<RgbColor, 3> colors = {input.Int32(), input.Int32(), input.Int32()};
    const std::uint8_t mode = input.Byte();
    const Flag wave = (mode & 3) == 0 ? kTrue : static_cast<Flag>((mode & 3) == 1 ? 0 : mode);
    const std::uint8_t padding = input.Byte();
    std::u16string text = input.Rest();
    // Now and then pad the text right up to the limit, or one past it.
    if (padding == 0xAA || padding == 0xAB) {
        text.resize(kMaxFadeLength + (padding == 0xAB ? 1 : 0), u'x');
    }

    std::u16string markup;
    try {
        markup = FadeThreeColors(colors[0], colors[1], colors[2], text, wave);
    } catch (const Error& e) {
        Check(e.number() == ErrorNumber::Overflow && text.size() > kMaxFadeLength);
        return 0;
    }
    Check(text.size() <= kMaxFadeLength);

    std::size_t total = 0;
    for (std::size_t at = 0; at < text.size(); at += IsPair(text, at) ? 2 : 1) {
        ++total;
    }
    const std::size_t half = total / 2 + ((total % 2 == 1 && (total / 2) % 2 == 1) ? 1 : 0);
    const Channels ends[3] = {Split(colors[0]), Split(colors[1]), Split(colors[2])};
    static constexpr std::u16string_view kPrefix = u"<Font Color=#";
    static constexpr std::u16string_view kTags[4] = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};

    std::u16string_view rest = markup;
    std::size_t textAt = 0;
    for (std::size_t k = 0; k < total; ++k) {
        Check(rest.starts_with(kPrefix) && rest.size() >= kPrefix.size() + 8);
        const std::u16string_view digits = rest.substr(kPrefix.size(), 6);
        Check(rest[kPrefix.size() + 6] == u'>');
        rest.remove_prefix(kPrefix.size() + 7);
        if (wave == kTrue) {
            const std::u16string_view tag = kTags[k % 4];
            Check(rest.starts_with(tag));
            rest.remove_prefix(tag.size());
        }
        const std::size_t length = IsPair(text, textAt) ? 2 : 1;
        Check(rest.substr(0, length) == std::u16string_view(text).substr(textAt, length));
        rest.remove_prefix(length);
        textAt += length;

        const bool inA = k < half;
        const Channels& from = ends[inA ? 0 : 1];
        const Channels& to = ends[inA ? 1 : 2];
        const int red = HexPair(digits.substr(0, 2));
        const int green = HexPair(digits.substr(2, 2));
        const int blue = HexPair(digits.substr(4, 2));
        Check(Between(red, from.red, to.red) && Between(green, from.green, to.green) &&
              Between(blue, from.blue, to.blue));
        if (k + 1 == half || k + 1 == total) {
            Check(red == to.red && green == to.green && blue == to.blue);
        }
    }
    Check(rest.empty() && textAt == text.size());
    return 0;
}
