#include "engine/fader.h"

#include "engine/base/error.h"
#include "engine/hex.h"

#include <array>
#include <cstring>

namespace VexoFade {
namespace {

constexpr std::u16string_view kUnitPrefix = u"<Font Color=#";
constexpr std::size_t kUnitLength = kUnitPrefix.size() + 6 + 1; // before the character itself

// What follows the colour digits: ">" alone, or ">" and the wave tag for each
// step of the cycle. Each entry is padded to eight units so it copies in one go.
struct Suffix {
    char16_t units[8];
    std::size_t length;
};
constexpr Suffix kPlainSuffix = {{u'>'}, 1};
constexpr std::array<Suffix, 4> kWaveSuffixes = {{
    {{u'>', u'<', u's', u'u', u'p', u'>'}, 6},
    {{u'>', u'<', u'/', u's', u'u', u'p', u'>'}, 7},
    {{u'>', u'<', u's', u'u', u'b', u'>'}, 6},
    {{u'>', u'<', u'/', u's', u'u', u'b', u'>'}, 7},
}};

// Two uppercase hex digits for every byte value.
constexpr std::array<std::array<char16_t, 2>, 256> kHexPairs = [] {
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> pairs{};
    for (std::size_t v = 0; v < 256; ++v) {
        pairs[v] = {digits[v >> 4], digits[v & 0xF]};
    }
    return pairs;
}();

bool IsHighSurrogate(char16_t c) {
    return (c & 0xFC00) == 0xD800;
}
bool IsLowSurrogate(char16_t c) {
    return (c & 0xFC00) == 0xDC00;
}

// Units that make up the character starting at `at`: 2 for a surrogate pair, else 1.
std::size_t CharLength(std::u16string_view text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2
                                                                                             : 1;
}

std::size_t CountChars(std::u16string_view text) {
    // A low surrogate is never a high one, so pairs cannot overlap and every
    // high-low neighbourhood is one pair.
    std::size_t pairs = 0;
    for (std::size_t at = 1; at < text.size(); ++at) {
        pairs += (IsHighSurrogate(text[at - 1]) && IsLowSurrogate(text[at])) ? 1U : 0U;
    }
    return text.size() - pairs;
}

// Position of the `chars`-th character boundary.
std::size_t AdvanceChars(std::u16string_view text, std::size_t chars) {
    std::size_t at = 0;
    for (; chars > 0; --chars) {
        at += CharLength(text, at);
    }
    return at;
}

// Total length of the wave tags for `chars` characters.
std::size_t WaveLength(std::size_t chars) {
    constexpr std::size_t kPartial[4] = {0, 5, 11, 16};
    return chars / 4 * 22 + kPartial[chars % 4];
}

// Rounds a channel value (0 to 255) to the nearest integer, ties to even:
// adding and taking away 1.5 * 2^52 leaves no fraction bits, and the default
// floating-point mode rounds that sum to even.
int RoundHalfEven(double value) {
    constexpr double kShift = 6755399441055744.0;
    return static_cast<int>((value + kShift) - kShift);
}

struct Rgb {
    int red;
    int green;
    int blue;
};

// Collects output in a small buffer and hands it to the string in blocks, so
// the result is written once and never filled with zeros first.
class UnitWriter {
public:
    static constexpr std::size_t kLongestUnit = kUnitPrefix.size() + 6 + 8 + 2;

    explicit UnitWriter(std::u16string& out) : out_(out) {}
    UnitWriter(const UnitWriter&) = delete;
    UnitWriter& operator=(const UnitWriter&) = delete;

    // Room for one more unit of any length.
    char16_t* Reserve() {
        if (used_ + kLongestUnit > kCapacity) {
            Flush();
        }
        return buffer_ + used_;
    }
    void Commit(char16_t* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    void Flush() {
        out_.append(buffer_, used_);
        used_ = 0;
    }

private:
    static constexpr std::size_t kCapacity = 1024;
    std::u16string& out_;
    char16_t buffer_[kCapacity];
    std::size_t used_ = 0;
};

// Writes the units of one segment, from `start` towards `end`. `text` is the
// segment's characters, `counter` the wave counter that runs on across segments.
void WriteSegment(UnitWriter& writer, std::u16string_view text, std::size_t chars, Rgb start,
                  Rgb end, bool wave, int& counter) {
    if (chars == 0) {
        return;
    }
    const double n = static_cast<double>(chars);
    const double stepRed = static_cast<double>(end.red - start.red) / n;
    const double stepGreen = static_cast<double>(end.green - start.green) / n;
    const double stepBlue = static_cast<double>(end.blue - start.blue) / n;
    int cycle = counter; // a local copy the compiler can keep in a register
    std::size_t at = 0;
    for (std::size_t i = 1; i <= chars; ++i) {
        const double step = static_cast<double>(i);
        const auto red = static_cast<std::size_t>(RoundHalfEven(stepRed * step + start.red));
        const auto green = static_cast<std::size_t>(RoundHalfEven(stepGreen * step + start.green));
        const auto blue = static_cast<std::size_t>(RoundHalfEven(stepBlue * step + start.blue));

        char16_t* out = writer.Reserve();
        std::memcpy(out, kUnitPrefix.data(), kUnitPrefix.size() * sizeof(char16_t));
        out += kUnitPrefix.size();
        std::memcpy(out, kHexPairs[red].data(), 2 * sizeof(char16_t));
        std::memcpy(out + 2, kHexPairs[green].data(), 2 * sizeof(char16_t));
        std::memcpy(out + 4, kHexPairs[blue].data(), 2 * sizeof(char16_t));
        out += 6;
        const Suffix* suffix = &kPlainSuffix;
        if (wave) {
            cycle = cycle == 4 ? 1 : cycle + 1;
            suffix = &kWaveSuffixes[static_cast<std::size_t>(cycle - 1)];
        }
        std::memcpy(out, suffix->units, sizeof suffix->units);
        out += suffix->length;
        const std::size_t length = CharLength(text, at);
        out[0] = text[at];
        if (length == 2) {
            out[1] = text[at + 1];
        }
        writer.Commit(out + length);
        at += length;
    }
    counter = cycle;
}

void CheckChannel(Channel value) {
    if (value < 0 || value > 255) {
        throw Error(ErrorNumber::InvalidArgument,
                    "A colour channel must be 0 to 255, not " + std::to_string(value) + ".");
    }
}

// The two hex digits at `at` of a colour's ColorToHex6 text, as a channel.
Channel ChannelFromDigits(const std::u16string& hex, std::size_t at) {
    return static_cast<Channel>(HexDigitValue(hex.substr(at, 1)) * 16 +
                                HexDigitValue(hex.substr(at + 1, 1)));
}

} // namespace

std::u16string FadeByChannels(Channel red1, Channel green1, Channel blue1, Channel red2,
                              Channel green2, Channel blue2, Channel red3, Channel green3,
                              Channel blue3, std::u16string_view text, Flag wave) {
    if (text.size() > kMaxFadeLength) {
        throw Error(
            ErrorNumber::Overflow,
            "The text is too long to fade: " + FormatCount(static_cast<long long>(text.size())) +
                " characters; at most " + FormatCount(kMaxFadeLength) + ".");
    }
    for (const Channel channel : {red1, green1, blue1, red2, green2, blue2, red3, green3, blue3}) {
        CheckChannel(channel);
    }

    const std::size_t total = CountChars(text);
    // Half of the characters, rounded to the nearest whole number, ties to even.
    const std::size_t half = total / 2 + ((total % 2 == 1 && (total / 2) % 2 == 1) ? 1 : 0);
    const std::size_t splitAt = total == text.size() ? half : AdvanceChars(text, half);

    const bool waveOn = wave == kTrue;
    std::u16string out;
    out.reserve(total * kUnitLength + text.size() + (waveOn ? WaveLength(total) : 0));
    UnitWriter writer(out);
    int counter = 0;
    WriteSegment(writer, text.substr(0, splitAt), half, {red1, green1, blue1},
                 {red2, green2, blue2}, waveOn, counter);
    WriteSegment(writer, text.substr(splitAt), total - half, {red2, green2, blue2},
                 {red3, green3, blue3}, waveOn, counter);
    writer.Flush();
    return out;
}

std::u16string FadeThreeColors(RgbColor color1, RgbColor color2, RgbColor color3,
                               std::u16string_view text, Flag wave) {
    std::array<Channel, 9> channels{};
    const std::array<RgbColor, 3> colors = {color1, color2, color3};
    for (std::size_t k = 0; k < 3; ++k) {
        // The text reads BBGGRR for every RgbColor; wider values keep all
        // their digits, so red comes from the last two wherever they are.
        const std::u16string hex = ColorToHex6(colors[k]);
        channels[3 * k] = ChannelFromDigits(hex, hex.size() - 2);
        channels[3 * k + 1] = ChannelFromDigits(hex, 2);
        channels[3 * k + 2] = ChannelFromDigits(hex, 0);
    }
    return FadeByChannels(channels[0], channels[1], channels[2], channels[3], channels[4],
                          channels[5], channels[6], channels[7], channels[8], text, wave);
}

} // namespace VexoFade
