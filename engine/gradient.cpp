#include "engine/gradient.h"

#include "engine/base/error.h"

namespace VexoFade {

std::u16string FadeGradient(std::span<const Rgb>, std::u16string_view, const GradientOptions&) {
    throw Error(ErrorNumber::InvalidArgument, "Not built yet.");
}

} // namespace VexoFade
