#include "app/swatch.h"

#include <cstdint>

namespace Chromell {

QColor ToQColor(VexoFade::RgbColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

Swatch::Swatch(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackColor(0);
}

void Swatch::setBackColor(VexoFade::RgbColor color) {
    backColor_ = color;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(color));
    setPalette(colours);
}

} // namespace Chromell
