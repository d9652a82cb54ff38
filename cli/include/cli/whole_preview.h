#pragma once

#include "cli/preview_size.h"
#include "preview/drawing_surface.h"

#include <string>
#include <string_view>

namespace Chromell {

// A picture a preview is drawn on, as a toolkit's surface makes it: it can
// say how far its drawing reached and be made larger.
class PreviewCanvas {
public:
    virtual ~PreviewCanvas() = default;

    virtual VexoFade::DrawingSurface& Surface() = 0;
    virtual PreviewSize Size() const = 0;
    // The size that would show everything drawn since the picture was last
    // cleared, whether or not it fell inside.
    virtual PreviewSize DrawnExtent() const = 0;
    // Makes the picture `size`, cleared; false when there is no memory for it.
    virtual bool Resize(PreviewSize size) = 0;
};

// Draws the markup on the canvas at the preview box's size; when the drawing
// reached further, the canvas grows to hold all of it and the markup is drawn
// again. The first pass costs little more than measuring: a surface does not
// draw what falls wholly outside its picture. On failure (the image would be
// too large, no memory for it) returns false and says why in `error`.
bool DrawWholePreview(PreviewCanvas& canvas, std::u16string_view markup, std::string& error);

} // namespace Chromell
