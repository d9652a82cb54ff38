#pragma once

#include "engine/gradient.h"

#include <optional>
#include <string_view>

namespace VexoFade {

// The 148 named colours of CSS Color Module Level 4 ("gray" and "grey" both),
// letter case ignored. "transparent" and "currentcolor" are not colours here.
std::optional<Rgb> FindNamedColor(std::string_view name);

} // namespace VexoFade
