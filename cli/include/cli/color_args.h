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

// The ways a colour may be written, for help and messages.
inline constexpr std::string_view kColorForms = "RRGGBB, #RRGGBB, #RGB or a CSS name";

// Reads one colour as VexoFade::ParseColorText reads it. On failure returns
// nothing and puts a message naming the bad colour into `error`.
std::optional<VexoFade::Rgb> ParseStop(std::string_view text, std::string& error);

// Reads kMinStops to kMaxStops colours separated by commas (blanks around one
// are allowed), each as VexoFade::ParseColorText reads it: "RRGGBB",
// "#RRGGBB", "#RGB" or a CSS colour name. On failure returns nothing and puts
// a message naming the bad colour, or the count, into `error`.
std::optional<std::vector<VexoFade::Rgb>> ParseStopList(std::string_view text, std::string& error);

// The same, exactly three, as RgbColor values.
std::optional<std::array<VexoFade::RgbColor, 3>> ParseColorList(std::string_view text,
                                                                std::string& error);

} // namespace Chromell
