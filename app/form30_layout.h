#pragma once

#include "app/twips.h"

#include <QRect>
#include <array>

// Where the main window and its controls sit, from its layout in twips. The
// window and the artwork generator both read these, so the words and glyphs
// painted on the artwork stay lined up with the controls.
namespace Chromell::Form30Layout {

// The client area, on the screen.
inline constexpr QRect kWindow = TwipsRect(2025, 1695, 7980, 4140);

inline constexpr QRect kRed1 = TwipsRect(0, 1320, 1215, 255);
inline constexpr QRect kGreen1 = TwipsRect(0, 1560, 1215, 255);
inline constexpr QRect kBlue1 = TwipsRect(0, 1800, 1215, 255);
inline constexpr QRect kColor1 = TwipsRect(1320, 1560, 615, 375);
inline constexpr QRect kRed2 = TwipsRect(0, 2400, 1215, 255);
inline constexpr QRect kGreen2 = TwipsRect(0, 2640, 1215, 255);
inline constexpr QRect kBlue2 = TwipsRect(0, 2880, 1215, 255);
inline constexpr QRect kColor2 = TwipsRect(1320, 2640, 615, 375);
inline constexpr QRect kRed3 = TwipsRect(0, 3360, 1215, 255);
inline constexpr QRect kGreen3 = TwipsRect(0, 3600, 1215, 255);
inline constexpr QRect kBlue3 = TwipsRect(0, 3840, 1215, 255);
inline constexpr QRect kColor3 = TwipsRect(1320, 3480, 615, 375);
inline constexpr QRect kText1 = TwipsRect(2160, 1680, 4455, 285);
inline constexpr QRect kCommand1 = TwipsRect(4200, 480, 1095, 255);
inline constexpr QRect kText2 = TwipsRect(2160, 2400, 5535, 495);
inline constexpr QRect kPicture1 = TwipsRect(2160, 3360, 4455, 375);
inline constexpr QRect kLabel1 = TwipsRect(7680, 120, 255, 135);
inline constexpr QRect kLabel2 = TwipsRect(7680, 360, 255, 255);

// One colour row: its red, green and blue bars and its swatch.
struct ColourRowLayout {
    std::array<QRect, 3> bars;
    QRect swatch;
};
inline constexpr std::array<ColourRowLayout, 3> kRows = {{
    {{kRed1, kGreen1, kBlue1}, kColor1},
    {{kRed2, kGreen2, kBlue2}, kColor2},
    {{kRed3, kGreen3, kBlue3}, kColor3},
}};

// The background picture is one row shorter than the client area.
inline constexpr QSize kArtworkSize(532, 275);
inline constexpr unsigned kBackColor = 0xC0C0C0; // as 0x00BBGGRR, grey either way round

} // namespace Chromell::Form30Layout
