#pragma once

#include "engine/color.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Chromell {

// The colours used when none are given: red, green, blue.
inline constexpr std::string_view kDefaultColors = "FF0000,00FF00,0000FF";

// Reads "RRGGBB" or "#RRGGBB" (red first, any letter case) as an RgbColor.
std::optional<VexoFade::RgbColor> ParseColor(std::string_view text);

// Reads "C1,C2,C3". On failure returns nothing and puts a message naming the
// bad value into `error`.
std::optional<std::array<VexoFade::RgbColor, 3>> ParseColorList(std::string_view text,
                                                                std::string& error);

} // namespace Chromell
