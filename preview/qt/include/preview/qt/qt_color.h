#pragma once

#include "engine/color.h"

#include <QColor>

namespace VexoFade {

// An RgbColor (0x00BBGGRR) as a QColor. Only the low 24 bits count.
inline QColor ToQColor(RgbColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

} // namespace VexoFade
