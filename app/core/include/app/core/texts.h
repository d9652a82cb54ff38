#pragma once

#include "app/core/form30_layout.h"
#include "chromell/version.h"

#include <array>
#include <string_view>

// Every text the windows show or give to screen readers, for both shells.
// Each view points at a NUL-terminated literal, so data() may be handed to
// functions that want a C string. An "&" marks the next letter as the
// item's access key, as menus on every platform write it.
namespace Chromell::Texts {

// The main window's caption, the application's title on message boxes and
// the tray icon's tip.
inline constexpr std::u16string_view kAppTitle = u"Chromell";
inline constexpr std::u16string_view kAboutCaption = u"About";

inline constexpr std::u16string_view kFadeItCaption = u"Fade It";
inline constexpr std::u16string_view kSupzCaption = u"Supz";

// The About window's credit line: who made the program and where to find it,
// at the build's home page or, without one, in words.
inline constexpr std::u16string_view kCreditLine =
    std::string_view(CHROMELL_HOMEPAGE_SHOWN).empty()
        ? u"Made by the Chromell developers: come and visit our project's home!"
        : u"Made by the Chromell developers: come and visit " CHROMELL_HOMEPAGE_SHOWN u"!";

// What "Supz" lists: twelve handles, a comma and a blank between them.
inline constexpr std::u16string_view kHandleList =
    u"zinnober, quillfox, lumenkat, mossbyte, tarnwing, velvetjolt, brisketeer, nightpeel, "
    u"oxbloom, fennrake, glimmerdog, pocketcomet";

// The menu mnuFile that the tray icon pops up, in its order.
enum class MenuItem : unsigned char { about, div, exit };
struct MenuEntry {
    MenuItem item;
    std::string_view name;    // the layout's name, also the shells' object name
    std::u16string_view text; // empty for the separator
};
inline constexpr std::u16string_view kMenuCaption = u"&File";
inline constexpr std::string_view kMenuName = "mnuFile";
inline constexpr std::array<MenuEntry, 3> kMenu = {{
    {MenuItem::about, "about", u"&About"},
    {MenuItem::div, "div", u""},
    {MenuItem::exit, "exit", u"E&xit"},
}};

// What a screen reader says of a control: the captions are pixels in the
// artwork, so nothing else tells what a control is. The hotspots show their
// name as a tip, too.
struct AccessibleText {
    std::u16string_view name;
    std::u16string_view description;
};
// Indexed by Form30Control.
inline constexpr std::array<AccessibleText, kForm30ControlCount> kForm30Accessible = {{
    {u"Red of colour 1", u"Sets the red channel of colour 1, 0 to 255"},
    {u"Green of colour 1", u"Sets the green channel of colour 1, 0 to 255"},
    {u"Blue of colour 1", u"Sets the blue channel of colour 1, 0 to 255"},
    {u"Colour 1", u"Shows colour 1, set by the three bars beside it"},
    {u"Red of colour 2", u"Sets the red channel of colour 2, 0 to 255"},
    {u"Green of colour 2", u"Sets the green channel of colour 2, 0 to 255"},
    {u"Blue of colour 2", u"Sets the blue channel of colour 2, 0 to 255"},
    {u"Colour 2", u"Shows colour 2, set by the three bars beside it"},
    {u"Red of colour 3", u"Sets the red channel of colour 3, 0 to 255"},
    {u"Green of colour 3", u"Sets the green channel of colour 3, 0 to 255"},
    {u"Blue of colour 3", u"Sets the blue channel of colour 3, 0 to 255"},
    {u"Colour 3", u"Shows colour 3, set by the three bars beside it"},
    {u"Text to fade", u"The line that Fade It colours"},
    {u"Fade It", u"Fades the text through the three colours"},
    {u"Markup to copy", u"The faded text as chat markup, to copy into the messenger"},
    {u"Preview", u"How the markup will look in the messenger"},
    {u"Close", u"Closes the window"},
    {u"Minimize", u"Minimizes the window; the tray icon brings it back"},
}};
constexpr const AccessibleText& Accessible(Form30Control control) {
    return kForm30Accessible[Index(control)];
}

// The About window's two controls (Label1, Command1), by their layout names.
inline constexpr std::string_view kForm1Label1Name = "Label1";
inline constexpr std::string_view kForm1Command1Name = "Command1";
inline constexpr AccessibleText kForm1Label1Accessible{u"Credit", u""};
inline constexpr AccessibleText kForm1Command1Accessible{u"Supz",
                                                         u"Lists the people the program thanks"};

// A failed step of a handler, as the report's first line says it.
inline constexpr std::u16string_view kFadeFailed = u"The text could not be faded.";
inline constexpr std::u16string_view kPreviewFailed = u"The preview could not be drawn.";
// The reason given when memory ran out.
inline constexpr std::u16string_view kOutOfMemory =
    u"There is not enough memory for a text this long.";

} // namespace Chromell::Texts
