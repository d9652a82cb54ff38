#pragma once

namespace VexoFade {

// The main window's preview box at 96 dots per inch, in pixels: the window
// places its box at this size, and a preview image drawn elsewhere is never
// smaller.
inline constexpr int kPreviewBoxWidth = 297;
inline constexpr int kPreviewBoxHeight = 25;

} // namespace VexoFade
