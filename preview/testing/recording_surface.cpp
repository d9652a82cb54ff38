#include "preview/testing/recording_surface.h"

#include "engine/unicode/grapheme.h"
#include "engine/utf8.h"

#include <cstdio>

namespace VexoFade {

void RecordingSurface::Log(std::string_view name, std::string_view value) {
    std::string line(name);
    if (!value.empty()) {
        line += ' ';
        line += value;
    }
    calls_.push_back(std::move(line));
}

// Enough digits to tell any two floats apart; whole numbers without a point.
std::string RecordingSurface::Number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

void RecordingSurface::SetScaleMode(std::int16_t unit) {
    scaleMode_ = unit;
    Log("ScaleMode", std::to_string(unit));
}

void RecordingSurface::SetFontName(std::u16string_view name) {
    std::string utf8;
    AppendUtf8(name, utf8);
    Log("Name", name.empty() ? "\"\"" : utf8);
}

void RecordingSurface::Print(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(text, utf8);
    Log("Print", utf8);
}

float RecordingSurface::TextWidth(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(text, utf8);
    Log("TextWidth", utf8);
    return widthPerCharacter_ * static_cast<float>(CountGraphemes(text));
}

} // namespace VexoFade
