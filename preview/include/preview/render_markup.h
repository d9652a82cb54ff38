#pragma once

#include "engine/replace_text.h"
#include "preview/drawing_surface.h"

#include <string_view>

namespace VexoFade {

// Clears the surface and draws the markup on it one character at a time in
// the colours and styles its tags set (tag names in any letter case); each
// carriage return (and each literal "+chr13+") starts a new line 16 pixels
// down. A character is a grapheme cluster: a letter with its accents, an
// emoji sequence. Character references ("&lt;", "&#233;", "&#x1F600;" ...)
// are drawn as the character they name; an "&" that starts none is drawn as
// it stands, and so is a "<" with no ">" after it. The surface's ScaleMode is
// put back at the end; its font and colour keep what the last tags set.
// `yield` is passed to ReplaceText while the line breaks are prepared; when it
// answers that the work should stop, the call returns false before it touches
// the surface. Errors of the surface reach the caller.
bool RenderMarkupPreview(DrawingSurface& surface, std::u16string_view markup,
                         const YieldFunction& yield = {});

} // namespace VexoFade
