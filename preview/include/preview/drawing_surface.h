#pragma once

#include "engine/color.h"

#include <cstdint>
#include <string_view>

namespace VexoFade {

// Coordinate units a surface understands.
inline constexpr std::int16_t kScaleTwips = 1;
inline constexpr std::int16_t kScalePixels = 3;

// The canvas the markup preview draws on: exactly the operations the renderer
// needs of a picture box, and nothing more.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual std::int16_t ScaleMode() const = 0;
    virtual void SetScaleMode(std::int16_t unit) = 0;

    virtual void SetFontName(std::u16string_view name) = 0;
    virtual void SetFontSize(float points) = 0;
    virtual void SetFontBold(bool on) = 0;
    virtual void SetFontItalic(bool on) = 0;
    virtual void SetFontUnderline(bool on) = 0;
    virtual void SetFontStrikethru(bool on) = 0;

    // With true, drawing goes to the surface's persistent image.
    virtual void SetAutoRedraw(bool on) = 0;
    virtual void SetForeColor(RgbColor color) = 0;

    // Clears everything drawn so far back to the background colour.
    virtual void Cls() = 0;

    // Where the next Print puts the top-left corner of its text, in the current unit.
    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;

    // Draws the text at the current point in the current font and fore colour.
    virtual void Print(std::u16string_view text) = 0;
    // Width of the text in the current font, in the current unit.
    virtual float TextWidth(std::u16string_view text) = 0;
};

} // namespace VexoFade
