#pragma once

#include "app/core/rect.h"

#include <algorithm>

namespace Chromell {

// Where a window whose frame is `frame` goes on a screen whose free area is
// `available`: where it is when it fits, else moved the least distance that
// puts it wholly inside. A frame larger than the area has its top left on it.
constexpr Rect FitOnScreen(const Rect& frame, const Rect& available) {
    const auto shift = [](int start, int end, int areaStart, int areaEnd) {
        if (end > areaEnd) {
            return std::max(areaEnd - end, areaStart - start);
        }
        return start < areaStart ? areaStart - start : 0;
    };
    return frame.translated(shift(frame.left, frame.right(), available.left, available.right()),
                            shift(frame.top, frame.bottom(), available.top, available.bottom()));
}

} // namespace Chromell
