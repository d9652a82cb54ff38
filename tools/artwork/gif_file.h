#pragma once

#include <QByteArray>
#include <QImage>

namespace Chromell {

// Encodes `picture` as a GIF89a file (through giflib): one image, no
// extensions, its exact colours in a global colour table (in the order they
// first appear, row by row, padded with black to a power of two). Throws
// std::runtime_error if it has more than 256 colours or giflib fails.
QByteArray EncodeGif(const QImage& picture);

} // namespace Chromell
