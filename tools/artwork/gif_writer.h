#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace Chromell {

// Encodes one indexed picture as a GIF89a file: a global colour table, one
// image with no extensions, LZW-compressed. `palette` holds 0xRRGGBB entries
// (2 to 256 of them; the table is padded with black to the next power of two)
// and `pixels` width x height indices into it, row by row. Throws
// std::invalid_argument when the sizes or an index do not fit.
std::vector<std::uint8_t> EncodeGif89a(int width, int height,
                                       std::span<const std::uint32_t> palette,
                                       std::span<const std::uint8_t> pixels);

} // namespace Chromell
