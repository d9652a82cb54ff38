#pragma once

#include "engine/gradient.h"

#include <cstdint>

namespace VexoFade {

// The entry 16 to 255 of the xterm 256-colour palette nearest to the colour
// by squared RGB distance, the lowest index on a tie. Entries 16 to 231 are
// the 6 x 6 x 6 cube on levels 0, 95, 135, 175, 215, 255; 232 + i is the grey
// 8 + 10 i.
std::uint8_t NearestXterm256(Rgb colour);

} // namespace VexoFade
