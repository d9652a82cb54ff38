#pragma once

#include <QImage>
#include <QPoint>
#include <array>

class QPainter;

namespace Chromell {

// The sizes of the program icon for the desktop's icon theme.
inline constexpr std::array<int, 8> kDesktopIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The program icon at `size` (one of kDesktopIconSizes) on a transparent
// ground: a rounded face shaded red, green, blue, under a white "C" ring. Each
// size is drawn from its own measures, chosen so that edges fall on whole
// pixels; the smallest sizes leave out the ring's outline. Throws
// std::invalid_argument for any other size.
QImage PaintDesktopIcon(int size);

// The same icon, 44 pixels, at `topLeft`, in the artwork's palette: bands
// instead of a smooth shade, no anti-aliasing.
void PaintLogoIcon(QPainter& painter, QPoint topLeft);

// The windows' own icon: 32 x 32 in 24-bit colour on the window grey, the "C"
// a bold letter of the artwork's font.
QImage PaintWindowIcon();

} // namespace Chromell
