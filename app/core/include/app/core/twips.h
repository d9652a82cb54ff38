#pragma once

#include "app/core/rect.h"

#include <cstdint>

namespace Chromell {

// The window layouts are written in twips, 1/1440 inch. On a screen of `dpi`
// pixels per inch a twip is dpi/1440 pixels: at 96 DPI 15 twips make a pixel,
// at 144 DPI 10 do.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;

// Twips as whole pixels at `dpi`: the nearest pixel, an exact half going to
// the even neighbour (at 144 DPI 1215 twips are 121.5 pixels: 122; 1305 are
// 130.5: 130). Negative values round as their magnitude does. At 96 DPI the
// layouts' values are all whole pixels.
constexpr int TwipsToPixels(int twips, int dpi = kBaseDpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips < 0 ? -twips : twips) * dpi;
    std::int64_t pixels = scaled / kTwipsPerInch;
    const std::int64_t rest = scaled % kTwipsPerInch;
    if (2 * rest > kTwipsPerInch || (2 * rest == kTwipsPerInch && pixels % 2 == 1)) {
        ++pixels;
    }
    return static_cast<int>(twips < 0 ? -pixels : pixels);
}

// A rectangle in twips as pixels at `dpi`: each of left, top, width and height
// converted on its own, so a control keeps its size wherever it stands.
constexpr Rect TwipsToPixels(const Rect& twips, int dpi = kBaseDpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

constexpr Size TwipsToPixels(const Size& twips, int dpi = kBaseDpi) {
    return {TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

} // namespace Chromell
