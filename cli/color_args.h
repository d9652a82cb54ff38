#pragma once

#include "engine/color.h"
#include "engine/gradient.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Chromell {

// The colours used when none are given: red, green, blue.
inline constexpr std::string_view kDefaultColors = "FF0000,00FF00,0000FF";

// Reads "RRGGBB" or "#RRGGBB" (red first, any letter case) as an RgbColor.
std::optional<VexoFade::RgbColor> ParseColor(std::string_view text);

// Reads "C1,C2,C3". On failure returns nothing and puts a message naming the
// bad value into `error`.
std::optional<std::array<VexoFade::RgbColor, 3>> ParseColorList(std::string_view text,
                                                                std::string& error);

// Reads one gradient stop: "RRGGBB", "#RRGGBB", "#RGB" (each digit doubled)
// or a CSS colour name, letter case ignored.
std::optional<VexoFade::Rgb> ParseStop(std::string_view text);

// Reads kMinStops to kMaxStops stops separated by commas (blanks around a stop
// are allowed). On failure returns nothing and puts a message naming the bad
// stop, or the count, into `error`.
std::optional<std::vector<VexoFade::Rgb>> ParseStopList(std::string_view text, std::string& error);

} // namespace Chromell
