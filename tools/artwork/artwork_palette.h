#pragma once

#include <QColor>
#include <array>

// The colours the main window's artwork is drawn with, and nothing else: it is
// drawn without anti-aliasing, so every pixel is one of these and the GIF's
// colour table holds them exactly.
namespace Chromell::ArtworkPalette {

inline const QColor kGrey(0xC0, 0xC0, 0xC0); // the window's background colour
inline const QColor kInk(0x10, 0x18, 0x48);
inline const QColor kShadow(0x60, 0x60, 0x60);
inline const QColor kDark(0x30, 0x30, 0x30);
inline const QColor kWhite(0xFF, 0xFF, 0xFF);
inline const QColor kBlack(0x00, 0x00, 0x00);
inline const QColor kKnobFace(0xD4, 0xD4, 0xD4);

// Red, orange, green, blue, violet in thirteen steps: the sweep the program
// is about.
inline const std::array<QColor, 13> kSweep = {
    QColor(0xE0, 0x20, 0x30), QColor(0xE8, 0x48, 0x28), QColor(0xEC, 0x68, 0x18),
    QColor(0xF0, 0x88, 0x10), QColor(0xC8, 0x98, 0x18), QColor(0x88, 0x98, 0x28),
    QColor(0x40, 0xA0, 0x38), QColor(0x20, 0x98, 0x58), QColor(0x20, 0x88, 0x88),
    QColor(0x20, 0x70, 0xB8), QColor(0x20, 0x60, 0xE0), QColor(0x50, 0x48, 0xD0),
    QColor(0x80, 0x38, 0xC0)};

// The program icon's red, green and blue, in five steps, from the sweep.
inline const std::array<QColor, 5> kIconBands = {kSweep[0], kSweep[5], kSweep[6], kSweep[8],
                                                 kSweep[10]};

} // namespace Chromell::ArtworkPalette
