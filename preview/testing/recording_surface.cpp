#include "preview/testing/recording_surface.h"

#include "engine/unicode/grapheme.h"
#include "engine/utf8.h"

#include <cstdio>

namespace VexoFade {

// Enough digits to tell any two floats apart; whole numbers without a point.
std::string RecordingSurface::Number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

std::string RecordingSurface::Utf8(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(text, utf8);
    return utf8;
}

float RecordingSurface::TextWidth(std::u16string_view text) {
    Log("TextWidth " + Utf8(text));
    return widthPerCharacter_ * static_cast<float>(CountGraphemes(text));
}

} // namespace VexoFade
