#include "preview/web/canvas_drawing_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The page's side: web/site/canvas.js. Text is passed as UTF-16 units.
extern "C" {
__attribute__((import_module("canvas"), import_name("clear"))) void CanvasClear();
// Selects the font; returns its line height (ascent plus descent) in pixels.
__attribute__((import_module("canvas"), import_name("font"))) float
CanvasFont(float points, int bold, int italic, const char16_t* name, std::size_t length);
// The colour as an RgbColor: 0x00BBGGRR.
__attribute__((import_module("canvas"), import_name("color"))) void
CanvasColor(VexoFade::RgbColor color);
__attribute__((import_module("canvas"), import_name("print"))) void
CanvasPrint(float x, float y, const char16_t* text, std::size_t length, int underline,
            int strikethru);
__attribute__((import_module("canvas"), import_name("measure"))) float
CanvasMeasure(const char16_t* text, std::size_t length);
}

namespace VexoFade {

void CanvasDrawingSurface::SetFontName(std::u16string_view name) {
    if (name.ends_with(u'"')) {
        name.remove_suffix(1);
    }
    if (!name.empty() && name != fontName_) {
        fontName_ = name;
        fontSent_ = false;
    }
}

void CanvasDrawingSurface::SetFontSize(float points) {
    if (points > 0.0f && std::isfinite(points) && points != fontSize_) {
        fontSize_ = points;
        fontSent_ = false;
    }
}

void CanvasDrawingSurface::SetFontBold(bool on) {
    if (on != bold_) {
        bold_ = on;
        fontSent_ = false;
    }
}

void CanvasDrawingSurface::SetFontItalic(bool on) {
    if (on != italic_) {
        italic_ = on;
        fontSent_ = false;
    }
}

void CanvasDrawingSurface::SetForeColor(VexoFade::RgbColor color) {
    if (color != color_) {
        color_ = color;
        colorSent_ = false;
    }
}

void CanvasDrawingSurface::Cls() {
    CanvasClear();
    drawnBottom_ = 0.0f;
    // The page may have reset its context (a resized canvas forgets its state).
    fontSent_ = false;
    colorSent_ = false;
}

void CanvasDrawingSurface::SelectFont() {
    if (fontSent_) {
        return;
    }
    lineHeight_ =
        CanvasFont(fontSize_, bold_ ? 1 : 0, italic_ ? 1 : 0, fontName_.data(), fontName_.size());
    asciiWidths_.fill(-1.0f);
    fontSent_ = true;
}

void CanvasDrawingSurface::Print(std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    SelectFont();
    drawnBottom_ = std::max(drawnBottom_, y_ + lineHeight_);
    if (x_ >= width_ || y_ >= height_ || y_ + lineHeight_ <= 0.0f) {
        return;
    }
    if (!colorSent_) {
        CanvasColor(color_);
        colorSent_ = true;
    }
    CanvasPrint(x_, y_, text.data(), text.size(), underline_ ? 1 : 0, strikethru_ ? 1 : 0);
}

float CanvasDrawingSurface::TextWidth(std::u16string_view text) {
    if (text.empty()) {
        return 0.0f;
    }
    SelectFont();
    if (text.size() == 1 && text[0] < asciiWidths_.size()) {
        float& width = asciiWidths_[text[0]];
        if (width < 0.0f) {
            width = CanvasMeasure(text.data(), text.size());
        }
        return width;
    }
    return CanvasMeasure(text.data(), text.size());
}

} // namespace VexoFade
