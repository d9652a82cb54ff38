#pragma once

#include "preview/drawing_surface.h"

#include <array>
#include <string>

namespace VexoFade {

// A drawing surface on the page's canvas: every operation that draws or
// measures calls the page's 2D context through the functions the module
// imports from "canvas" (web/site/canvas.js). Positions and widths are CSS
// pixels; ScaleMode only keeps the code it is given. Face names are taken as
// markup gives them: a trailing double quote is dropped, an empty name keeps
// the current face, and a name no installed font answers to falls back as the
// browser decides. Text wholly outside the canvas is measured, not drawn.
class CanvasDrawingSurface final : public VexoFade::DrawingSurface {
public:
    CanvasDrawingSurface(float width, float height) : width_(width), height_(height) {}

    // The bottom edge of the lowest line printed since the last Cls, drawn or
    // not, in pixels.
    float DrawnBottom() const { return drawnBottom_; }

    std::int16_t ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(std::int16_t unit) override { scaleMode_ = unit; }
    void SetFontName(std::u16string_view name) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override { underline_ = on; }
    void SetFontStrikethru(bool on) override { strikethru_ = on; }
    void SetAutoRedraw(bool) override {}
    void SetForeColor(VexoFade::RgbColor color) override;
    void Cls() override;
    void SetCurrentX(float x) override { x_ = x; }
    void SetCurrentY(float y) override { y_ = y; }
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

private:
    // Hands the font to the canvas if it changed since it was last handed.
    void SelectFont();

    float width_;
    float height_;
    std::int16_t scaleMode_ = VexoFade::kScaleTwips;
    std::u16string fontName_ = u"Arial";
    float fontSize_ = 10.0f;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethru_ = false;
    bool fontSent_ = false;
    bool colorSent_ = false;
    VexoFade::RgbColor color_ = 0;
    // The line height of the font on the canvas, from the last time it was handed.
    float lineHeight_ = 0.0f;
    // Widths of single ASCII characters in the current font; below 0: not measured.
    std::array<float, 128> asciiWidths_{};
    float x_ = 0.0f;
    float y_ = 0.0f;
    float drawnBottom_ = 0.0f;
};

} // namespace VexoFade
