#pragma once

#include <QImage>

namespace Chromell {

// The main window's background picture: logo, product name, credit line, the
// Close and Minimize words with their glyphs under the hotspots, a caption
// over each colour row and the prompts over the boxes. It is drawn without
// anti-aliasing in the colours of ArtworkPalette only. Throws
// std::runtime_error if the credit line would not end before the Fade It
// button.
QImage PaintArtwork();

} // namespace Chromell
