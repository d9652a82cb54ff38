#pragma once

#include "preview/drawing_surface.h"

#include <string>
#include <vector>

namespace VexoFade {

// The font a surface draws in, as the renderer set it.
struct RecordedFont {
    std::string name; // UTF-8, as given
    float size = 0.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const RecordedFont&) const = default;
};

// A text printed: at which point (its top-left corner), in which colour and font.
struct DrawnText {
    std::string text; // UTF-8, a lone surrogate as U+FFFD
    float x = 0.0f;
    float y = 0.0f;
    RgbColor color = 0;
    RecordedFont font;
};

// A surface that keeps what was drawn on it since it was last cleared,
// instead of pixels. TextWidth is a fixed width per grapheme cluster, two
// units wider in bold, so a width measured in another font shows in the
// places of what follows. It starts in a state of its own (no font name,
// size 0, colour 0xFFFFFF, auto-redraw off), which a renderer must set.
class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(float widthPerCharacter = 8.0f,
                              std::int16_t initialScaleMode = kScaleTwips)
        : widthPerCharacter_(widthPerCharacter), scaleMode_(initialScaleMode) {}

    // What is on the picture, in the order it was drawn.
    const std::vector<DrawnText>& drawn() const { return drawn_; }
    // How often the picture was cleared.
    int clears() const { return clears_; }
    // Whether anything at all was asked of the surface.
    bool touched() const { return touched_; }
    bool autoRedraw() const { return autoRedraw_; }
    const RecordedFont& font() const { return font_; }
    RgbColor foreColor() const { return color_; }

    std::int16_t ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(std::int16_t unit) override {
        Touch();
        scaleMode_ = unit;
    }
    void SetFontName(std::u16string_view name) override {
        Touch();
        font_.name = Utf8(name);
    }
    void SetFontSize(float points) override {
        Touch();
        font_.size = points;
    }
    void SetFontBold(bool on) override {
        Touch();
        font_.bold = on;
    }
    void SetFontItalic(bool on) override {
        Touch();
        font_.italic = on;
    }
    void SetFontUnderline(bool on) override {
        Touch();
        font_.underline = on;
    }
    void SetFontStrikethru(bool on) override {
        Touch();
        font_.strikethru = on;
    }
    void SetAutoRedraw(bool on) override {
        Touch();
        autoRedraw_ = on;
    }
    void SetForeColor(RgbColor color) override {
        Touch();
        color_ = color;
    }
    void Cls() override;
    void SetCurrentX(float x) override {
        Touch();
        x_ = x;
    }
    void SetCurrentY(float y) override {
        Touch();
        y_ = y;
    }
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

private:
    void Touch() { touched_ = true; }
    static std::string Utf8(std::u16string_view text);

    float widthPerCharacter_;
    std::int16_t scaleMode_;
    RecordedFont font_;
    RgbColor color_ = 0xFFFFFF;
    bool autoRedraw_ = false;
    float x_ = 0.0f;
    float y_ = 0.0f;
    std::vector<DrawnText> drawn_;
    int clears_ = 0;
    bool touched_ = false;
};

} // namespace VexoFade
