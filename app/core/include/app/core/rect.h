#pragma once

namespace Chromell {

// A rectangle on a window or a screen: its top-left corner and its size, in
// whatever unit its owner says (twips in the layouts, pixels on the screen).
// The right and bottom ends are exclusive: a rectangle at 0 of width 10
// covers 0 to 9 and ends at 10.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
    constexpr bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    constexpr bool operator==(const Size&) const = default;
};

} // namespace Chromell
