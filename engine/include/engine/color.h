#pragma once

#include <cstdint>

namespace VexoFade {

// A colour laid out 0x00BBGGRR (red in the low byte), or a system-colour
// reference (top bit set, index in the low byte) as a swatch may hold it.
using RgbColor = std::int32_t;

// A channel value, 0 to 255 in every caller.
using Channel = std::int16_t;

// Truth values as the window layer passes them: true is -1, false 0.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

// Composes an RgbColor from three channel values.
constexpr RgbColor MakeRgb(int red, int green, int blue) {
    return static_cast<RgbColor>(red + 256 * green + 65536 * blue);
}

} // namespace VexoFade
