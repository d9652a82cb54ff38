#pragma once

#include "preview/drawing_surface.h"

#include <string>
#include <vector>

namespace VexoFade {

// A surface that draws nothing and logs every call, one line per call, e.g.
// "ForeColor 255", "CurrentX 2", "Print A". TextWidth answers a fixed width
// per character (a surrogate pair is one character).
class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(float widthPerCharacter = 8.0f,
                              std::int16_t initialScaleMode = kScaleTwips);

    const std::vector<std::u16string>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    std::int16_t ScaleMode() const override;
    void SetScaleMode(std::int16_t unit) override;
    void SetFontName(std::u16string_view name) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    void SetFontStrikethru(bool on) override;
    void SetAutoRedraw(bool on) override;
    void SetForeColor(RgbColor color) override;
    void Cls() override;
    void SetCurrentX(float x) override;
    void SetCurrentY(float y) override;
    void Print(std::u16string_view text) override;
    float TextWidth(std::u16string_view text) override;

private:
    void Log(std::u16string_view name, std::u16string_view value = {});

    float widthPerCharacter_;
    std::int16_t scaleMode_;
    std::vector<std::u16string> calls_;
};

} // namespace VexoFade
