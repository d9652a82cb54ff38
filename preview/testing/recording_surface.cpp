#include "preview/testing/recording_surface.h"

#include "engine/unicode/grapheme.h"
#include "engine/utf8.h"

namespace VexoFade {

std::string RecordingSurface::Utf8(std::u16string_view text) {
    std::string utf8;
    AppendUtf8(text, utf8);
    return utf8;
}

void RecordingSurface::Cls() {
    Touch();
    drawn_.clear();
    ++clears_;
}

void RecordingSurface::Print(std::u16string_view text) {
    Touch();
    drawn_.push_back({Utf8(text), x_, y_, color_, font_});
}

float RecordingSurface::TextWidth(std::u16string_view text) {
    Touch();
    const float width = widthPerCharacter_ + (font_.bold ? 2.0f : 0.0f);
    return width * static_cast<float>(CountGraphemes(text));
}

} // namespace VexoFade
