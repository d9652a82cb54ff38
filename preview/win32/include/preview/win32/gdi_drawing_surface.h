#pragma once

#include "preview/drawing_surface.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <windows.h>

namespace VexoFade {

// A drawing surface on a memory DC: a 32-bit top-down DIB section that the
// owner copies to a window (Paint, or BitBlt from dc()). Cls clears it to the
// background colour; Print draws with the text's top-left corner at the
// current point, with grey-scale anti-aliasing, a whole grapheme cluster in
// one call. Positions and widths are always in pixels: ScaleMode only keeps
// the code it is given (the renderer sets pixels and puts back what it found).
// Point sizes become pixels at the surface's DPI (10 points at 96 DPI: 13 px).
//
// Face names are taken as markup gives them, lower case and with the closing
// double quote of `face="..."` still on: a trailing double quote is dropped,
// an empty name keeps the current face, and a name that no installed font
// answers to (or one too long for a LOGFONT) is left to GDI's font mapper.
class GdiDrawingSurface : public DrawingSurface {
public:
    // Throws std::bad_alloc when the bitmap cannot be made, and
    // std::invalid_argument for a size below 1 x 1 or a DPI below 1.
    GdiDrawingSurface(int width, int height, int dpi = 96,
                      COLORREF background = RGB(255, 255, 255));
    ~GdiDrawingSurface() override;
    GdiDrawingSurface(const GdiDrawingSurface&) = delete;
    GdiDrawingSurface& operator=(const GdiDrawingSurface&) = delete;

    int width() const;
    int height() const;
    // The memory DC, with the picture selected into it.
    HDC dc() const;
    HBITMAP bitmap() const;
    // Copies the whole picture to `target` with its top-left corner at (x, y).
    bool Paint(HDC target, int x, int y) const;

    // The pixel at (x, y) as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const;
    // The picture's rows, top first, width() pixels each, every one laid out
    // 0x00RRGGBB (bytes B, G, R, 0). Finishes any drawing in progress.
    const std::uint32_t* Bits() const;

    // Changes the picture's size; the picture is cleared to the background.
    // Returns false, keeping the old picture, when there is no memory for it
    // or the size is below 1 x 1.
    bool Resize(int width, int height);

    // The picture size that would show everything printed since the picture
    // was last cleared (Cls, Resize), whether or not it fell inside: from the
    // origin to the furthest right and bottom edge of any printed text's line
    // box and ink. {0, 0} when nothing was printed.
    SIZE DrawnExtent() const;

    std::int16_t ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(std::int16_t unit) override { scaleMode_ = unit; }
    void SetFontName(std::u16string_view name) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    void SetFontStrikethru(bool on) override;
    void SetAutoRedraw(bool on) override { autoRedraw_ = on; }
    void SetForeColor(VexoFade::RgbColor color) override;
    void Cls() override;
    void SetCurrentX(float x) override { currentX_ = x; }
    void SetCurrentY(float y) override { currentY_ = y; }
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

    bool autoRedraw() const { return autoRedraw_; }
    // The font that drawing and measuring use now, as GDI is asked for it.
    const LOGFONTW& font() const { return font_; }

private:
    class Bitmap;
    struct Font;
    struct Glyphs;

    Font& CurrentFont();
    void Select(Font& font);
    // Advance and ink of `text` in `font`, found once per font.
    const Glyphs& Measure(Font& font, std::u16string_view text);
    RECT FindInk(Font& font, std::u16string_view text, int advance);
    void FontChanged() { current_ = nullptr; }

    std::unique_ptr<Bitmap> picture_;
    std::unique_ptr<Bitmap> scratch_; // where ink is found, made when first needed
    int dpi_;
    COLORREF background_;
    COLORREF fore_ = RGB(0, 0, 0);
    LOGFONTW font_{};
    std::int16_t scaleMode_ = VexoFade::kScaleTwips;
    bool autoRedraw_ = false;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;

    // Fonts met so far, by their LOGFONT; dropped all at once when too many.
    std::map<std::wstring, std::unique_ptr<Font>> fonts_;
    Font* current_ = nullptr;
    const Font* selected_ = nullptr;

    long drawnRight_ = 0;
    long drawnBottom_ = 0;
};

} // namespace VexoFade
