#pragma once

#include "engine/replace_text.h"
#include "preview/drawing_surface.h"

#include <string>

namespace VexoFade {

// Clears the surface and draws the markup on it character by character in the
// colours and styles its tags set; each carriage return starts a new line.
// `yield` is passed to ReplaceText while the line breaks are prepared.
void RenderMarkupPreview(DrawingSurface& surface, std::u16string markup,
                         const YieldFunction& yield = {});

} // namespace VexoFade
