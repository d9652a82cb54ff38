#pragma once

#include "app/core/rect.h"
#include "app/core/twips.h"

#include <QRect>
#include <QSize>

namespace Chromell {

constexpr QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

constexpr Rect FromQRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// A place in twips, in Qt's device-independent pixels (96 to the inch: Qt
// scales them to the screen itself).
constexpr QRect PixelRect(const Rect& twips) {
    return ToQRect(TwipsToPixels(twips));
}

constexpr QSize PixelSize(const Size& twips) {
    const Size pixels = TwipsToPixels(twips);
    return QSize(pixels.width, pixels.height);
}

} // namespace Chromell
