#include "engine/color_names.h"

namespace VexoFade {

std::optional<Rgb> FindNamedColor(std::string_view) {
    return std::nullopt;
}

} // namespace VexoFade
