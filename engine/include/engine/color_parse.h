#pragma once

#include "engine/gradient.h"

#include <optional>
#include <string_view>

namespace VexoFade {

// Reads a colour written "RRGGBB", "#RRGGBB" or "#RGB" (each digit doubled),
// red first, hex digits of either letter case.
std::optional<Rgb> ParseHexColor(std::string_view text);

// A hex colour as ParseHexColor reads it, or a CSS colour name (any case).
std::optional<Rgb> ParseColorText(std::string_view text);

} // namespace VexoFade
