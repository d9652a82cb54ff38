#pragma once

#include "app/core/rect.h"
#include "app/core/twips.h"
#include "preview/preview_box.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Where the windows and their controls sit, in twips from the top-left corner
// of the window's client area (the main window's own place is on the screen).
// Both window shells and the artwork generator read these, so the words and
// glyphs painted on the artwork stay lined up with the controls.
namespace Chromell {

// The main window's controls, in the order of the table below.
enum class Form30Control : std::uint8_t {
    red1,
    green1,
    blue1,
    color1,
    red2,
    green2,
    blue2,
    color2,
    red3,
    green3,
    blue3,
    Color3,
    Text1,
    Command1,
    Text2,
    Picture1,
    Label1,
    Label2,
};
inline constexpr std::size_t kForm30ControlCount = 18;

constexpr std::size_t Index(Form30Control control) {
    return static_cast<std::size_t>(control);
}

namespace Form30Layout {

// The client area, on the screen.
inline constexpr Rect kWindow{2025, 1695, 7980, 4140};

inline constexpr Rect kRed1{0, 1320, 1215, 255};
inline constexpr Rect kGreen1{0, 1560, 1215, 255};
inline constexpr Rect kBlue1{0, 1800, 1215, 255};
inline constexpr Rect kColor1{1320, 1560, 615, 375};
inline constexpr Rect kRed2{0, 2400, 1215, 255};
inline constexpr Rect kGreen2{0, 2640, 1215, 255};
inline constexpr Rect kBlue2{0, 2880, 1215, 255};
inline constexpr Rect kColor2{1320, 2640, 615, 375};
inline constexpr Rect kRed3{0, 3360, 1215, 255};
inline constexpr Rect kGreen3{0, 3600, 1215, 255};
inline constexpr Rect kBlue3{0, 3840, 1215, 255};
inline constexpr Rect kColor3{1320, 3480, 615, 375};
inline constexpr Rect kText1{2160, 1680, 4455, 285};
inline constexpr Rect kCommand1{4200, 480, 1095, 255};
inline constexpr Rect kText2{2160, 2400, 5535, 495};
// The preview box, at the renderer's size (4455 x 375 twips).
inline constexpr Rect kPicture1{2160, 3360, VexoFade::kPreviewBoxWidth* kTwipsPerInch / kBaseDpi,
                                VexoFade::kPreviewBoxHeight* kTwipsPerInch / kBaseDpi};
inline constexpr Rect kLabel1{7680, 120, 255, 135};
inline constexpr Rect kLabel2{7680, 360, 255, 255};

// Every control: its name (the layout's, also the shells' object name) and place.
struct ControlLayout {
    Form30Control control;
    std::string_view name;
    Rect twips;
};
inline constexpr std::array<ControlLayout, kForm30ControlCount> kControls = {{
    {Form30Control::red1, "red1", kRed1},
    {Form30Control::green1, "green1", kGreen1},
    {Form30Control::blue1, "blue1", kBlue1},
    {Form30Control::color1, "color1", kColor1},
    {Form30Control::red2, "red2", kRed2},
    {Form30Control::green2, "green2", kGreen2},
    {Form30Control::blue2, "blue2", kBlue2},
    {Form30Control::color2, "color2", kColor2},
    {Form30Control::red3, "red3", kRed3},
    {Form30Control::green3, "green3", kGreen3},
    {Form30Control::blue3, "blue3", kBlue3},
    {Form30Control::Color3, "Color3", kColor3},
    {Form30Control::Text1, "Text1", kText1},
    {Form30Control::Command1, "Command1", kCommand1},
    {Form30Control::Text2, "Text2", kText2},
    {Form30Control::Picture1, "Picture1", kPicture1},
    {Form30Control::Label1, "Label1", kLabel1},
    {Form30Control::Label2, "Label2", kLabel2},
}};

// One colour row: its red, green and blue bars and its swatch.
struct ColourRowLayout {
    std::array<Form30Control, 3> bars;
    Form30Control swatch;
};
inline constexpr std::array<ColourRowLayout, 3> kRows = {{
    {{Form30Control::red1, Form30Control::green1, Form30Control::blue1}, Form30Control::color1},
    {{Form30Control::red2, Form30Control::green2, Form30Control::blue2}, Form30Control::color2},
    {{Form30Control::red3, Form30Control::green3, Form30Control::blue3}, Form30Control::Color3},
}};

// The keyboard focus order; the first has the focus when the window opens.
// The swatches and the hotspots take no focus.
inline constexpr std::array<Form30Control, 13> kTabOrder = {
    Form30Control::red3,    Form30Control::green3, Form30Control::blue3,    Form30Control::green2,
    Form30Control::blue2,   Form30Control::red2,   Form30Control::Command1, Form30Control::Text1,
    Form30Control::red1,    Form30Control::green1, Form30Control::blue1,    Form30Control::Text2,
    Form30Control::Picture1};

// The background picture, drawn unscaled at the client origin, in pixels: one
// row shorter than the client area at 96 DPI.
inline constexpr Size kArtworkSize{532, 275};
inline constexpr unsigned kBackColor = 0xC0C0C0; // as 0x00BBGGRR, grey either way round
inline constexpr unsigned kPreviewBackColor = 0xFFFFFF;

} // namespace Form30Layout

// The About window: its client size, the credit line and the "Supz" button.
namespace Form1Layout {

inline constexpr Size kClient{3375, 885};
inline constexpr Rect kLabel1{0, 0, 3375, 495};
inline constexpr Rect kCommand1{840, 600, 1815, 255};

} // namespace Form1Layout

} // namespace Chromell
