#pragma once

#include "preview/drawing_surface.h"

#include <string>
#include <utility>
#include <vector>

namespace VexoFade {

// Draws nothing and logs every call as one UTF-8 line, e.g. "ForeColor 255" or
// "Print A" (a lone surrogate as U+FFFD). TextWidth is a fixed width a cluster.
class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(float widthPerCharacter = 8.0f,
                              std::int16_t initialScaleMode = kScaleTwips)
        : widthPerCharacter_(widthPerCharacter), scaleMode_(initialScaleMode) {}

    const std::vector<std::string>& calls() const { return calls_; }

    std::int16_t ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(std::int16_t unit) override {
        Log("ScaleMode " + std::to_string(scaleMode_ = unit));
    }
    void SetFontName(std::u16string_view name) override {
        Log("Name " + (name.empty() ? "\"\"" : Utf8(name)));
    }
    void SetFontSize(float points) override { Log("FontSize " + Number(points)); }
    void SetFontBold(bool on) override { Log("FontBold " + Bool(on)); }
    void SetFontItalic(bool on) override { Log("FontItalic " + Bool(on)); }
    void SetFontUnderline(bool on) override { Log("FontUnderline " + Bool(on)); }
    void SetFontStrikethru(bool on) override { Log("FontStrikethru " + Bool(on)); }
    void SetAutoRedraw(bool on) override { Log("AutoRedraw " + Bool(on)); }
    void SetForeColor(RgbColor color) override { Log("ForeColor " + std::to_string(color)); }
    void Cls() override { Log("Cls"); }
    void SetCurrentX(float x) override { Log("CurrentX " + Number(x)); }
    void SetCurrentY(float y) override { Log("CurrentY " + Number(y)); }
    void Print(std::u16string_view text) override { Log("Print " + Utf8(text)); }
    float TextWidth(std::u16string_view text) override;

private:
    void Log(std::string line) { calls_.push_back(std::move(line)); }
    static std::string Number(float value);
    static std::string Utf8(std::u16string_view text);
    static std::string Bool(bool on) { return on ? "True" : "False"; }

    float widthPerCharacter_;
    std::int16_t scaleMode_;
    std::vector<std::string> calls_;
};

} // namespace VexoFade
