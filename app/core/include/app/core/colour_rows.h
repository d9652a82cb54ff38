#pragma once

#include "engine/color.h"

#include <cstdint>

namespace Chromell {

// What every swatch holds until a bar of its row changes: a reference to the
// system's highlight-text colour (top bit set, index 14 in the low byte). It
// is passed to the fader as it stands.
inline constexpr VexoFade::RgbColor kSwatchStartColor =
    static_cast<VexoFade::RgbColor>(0x8000000Eu);

// Whether a colour is such a reference rather than red, green and blue; a
// shell that shows one looks its index up in the system's colours.
constexpr bool IsSystemColorReference(VexoFade::RgbColor color) {
    return (static_cast<std::uint32_t>(color) & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(VexoFade::RgbColor color) {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}

// A swatch's colour from the values of its row's red, green and blue bars:
// red + 256 green + 65536 blue, a value above 255 counting as 255 (and one
// below 0, which no bar gives, as 0).
constexpr VexoFade::RgbColor ComposeSwatchColor(int red, int green, int blue) {
    const auto channel = [](int value) { return value < 0 ? 0 : value > 255 ? 255 : value; };
    return VexoFade::MakeRgb(channel(red), channel(green), channel(blue));
}

} // namespace Chromell
