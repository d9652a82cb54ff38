#include "engine/fader.h"

#include "base/error.h"
#include "engine/gradient.h"
#include "engine/hex.h"

#include <array>
#include <string>

namespace VexoFade {
namespace {

void CheckChannel(Channel value) {
    if (value < 0 || value > 255) {
        throw Chromell::Error(Chromell::ErrorNumber::InvalidArgument,
                              "A colour channel must be 0 to 255, not " + std::to_string(value) +
                                  ".");
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
    for (const Channel channel : {red1, green1, blue1, red2, green2, blue2, red3, green3, blue3}) {
        CheckChannel(channel);
    }

    // Three stops: the gradient's segment bounds are 0, round-half-even(n / 2)
    // and n, the fader's two halves.
    const auto byte = [](Channel value) { return static_cast<std::uint8_t>(value); };
    const std::array<Rgb, 3> stops = {{{byte(red1), byte(green1), byte(blue1)},
                                       {byte(red2), byte(green2), byte(blue2)},
                                       {byte(red3), byte(green3), byte(blue3)}}};
    GradientOptions options;
    options.wave = wave == kTrue;
    return FadeGradient(stops, text, options);
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
