#include "preview/testing/recording_surface.h"

#include <cstdio>

namespace VexoFade {
namespace {

std::u16string Ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

// Whole numbers in full; floats with enough digits to tell any two apart.
std::u16string Number(long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld", value);
    return Ascii(buffer);
}

std::u16string Number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return Ascii(buffer);
}

std::u16string_view Bool(bool on) {
    return on ? u"True" : u"False";
}

std::size_t CountCharacters(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair =
            i + 1 < text.size() && (text[i] & 0xFC00) == 0xD800 && (text[i + 1] & 0xFC00) == 0xDC00;
        i += pair ? 1 : 0;
        ++count;
    }
    return count;
}

} // namespace

RecordingSurface::RecordingSurface(float widthPerCharacter, std::int16_t initialScaleMode)
    : widthPerCharacter_(widthPerCharacter), scaleMode_(initialScaleMode) {}

void RecordingSurface::Log(std::u16string_view name, std::u16string_view value) {
    std::u16string line(name);
    if (!value.empty()) {
        line += u' ';
        line += value;
    }
    calls_.push_back(std::move(line));
}

std::int16_t RecordingSurface::ScaleMode() const {
    return scaleMode_;
}
void RecordingSurface::SetScaleMode(std::int16_t unit) {
    scaleMode_ = unit;
    Log(u"ScaleMode", Number(static_cast<long long>(unit)));
}
void RecordingSurface::SetFontName(std::u16string_view name) {
    Log(u"Name", name.empty() ? std::u16string_view(u"\"\"") : name);
}
void RecordingSurface::SetFontSize(float points) {
    Log(u"FontSize", Number(points));
}
void RecordingSurface::SetFontBold(bool on) {
    Log(u"FontBold", Bool(on));
}
void RecordingSurface::SetFontItalic(bool on) {
    Log(u"FontItalic", Bool(on));
}
void RecordingSurface::SetFontUnderline(bool on) {
    Log(u"FontUnderline", Bool(on));
}
void RecordingSurface::SetFontStrikethru(bool on) {
    Log(u"FontStrikethru", Bool(on));
}
void RecordingSurface::SetAutoRedraw(bool on) {
    Log(u"AutoRedraw", Bool(on));
}
void RecordingSurface::SetForeColor(RgbColor color) {
    Log(u"ForeColor", Number(static_cast<long long>(color)));
}
void RecordingSurface::Cls() {
    Log(u"Cls");
}
void RecordingSurface::SetCurrentX(float x) {
    Log(u"CurrentX", Number(x));
}
void RecordingSurface::SetCurrentY(float y) {
    Log(u"CurrentY", Number(y));
}
void RecordingSurface::Print(std::u16string_view text) {
    Log(u"Print", text);
}
float RecordingSurface::TextWidth(std::u16string_view text) {
    Log(u"TextWidth", text);
    return widthPerCharacter_ * static_cast<float>(CountCharacters(text));
}

} // namespace VexoFade
