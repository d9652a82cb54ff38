#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace VexoFade {

// A colour stop, each channel 0 to 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr std::size_t kMinStops = 2;
inline constexpr std::size_t kMaxStops = 16;

// How the colours between two stops are mixed.
enum class Blend { Rgb, Oklab };

// How each unit and its colour are written.
enum class MarkupFormat { Aim, Html, BBCode, Ansi, Ansi256, MiniMessage };

struct GradientOptions {
    MarkupFormat format = MarkupFormat::Aim;
    Blend blend = Blend::Rgb;
    // The <sup>, </sup>, <sub>, </sub> cycle; Aim and Html only.
    bool wave = false;
    // Each line gets a gradient of its own over all the stops.
    bool perLine = false;
};

// Fades the text over the stops, one colour per grapheme cluster. Three stops
// in Aim format give exactly FadeThreeColors' markup. Raises the
// invalid-argument error for fewer than kMinStops or more than kMaxStops stops
// and for a wave in a format that has none; the overflow error for a text over
// kMaxFadeLength UTF-16 units.
std::u16string FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                            const GradientOptions& options = {});

} // namespace VexoFade
