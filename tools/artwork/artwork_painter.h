#pragma once

#include <QImage>

namespace Chromell {

// The main window's background picture at full colour: logo, product name,
// credit line, the Close and Minimize words with their glyphs under the
// hotspots, a caption over each colour row and the prompts over the boxes.
QImage PaintArtwork();

// The program's icon: three colour bands under a bold "C", `size` pixels square.
QImage PaintIcon(int size);

} // namespace Chromell
