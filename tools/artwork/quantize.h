#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <span>
#include <vector>

namespace Chromell {

// A picture reduced to a colour table and one table index per pixel.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::uint8_t> pixels;   // row by row
};

// Reduces a picture to at most `maxColors` colours. The `fixed` colours come
// first in the table and are kept exactly; the rest of the table is chosen by
// median cut over the other colours, and every pixel gets its nearest entry.
IndexedPicture Quantize(const QImage& picture, int maxColors, std::span<const QRgb> fixed);

} // namespace Chromell
