#pragma once

#include "cli/options.h"

#include <array>

namespace Chromell::FadeOptions {

enum Id { kColors, kFormat, kBlend, kPerLine, kColumns, kWave, kPreview, kMarkup, kHelp, kVersion };

// chromell-fade's options, as the parser reads them and --help lists them.
inline constexpr std::array<OptionDef, 10> kTable{{
    {kColors, 'c', "colors", "C1,C2,...",
     "2 to 16 colours: RRGGBB, #RRGGBB, #RGB or a CSS name\n(default FF0000,00FF00,0000FF)"},
    {kFormat, 0, "format", "FORMAT", "the markup to write (below; default aim)"},
    {kBlend, 0, "blend", "rgb|oklab", "mix the colours in RGB (default) or in OKLab"},
    {kPerLine, 0, "per-line", "",
     "give each line a gradient of its own, written as soon as\nthe line has ended"},
    {kColumns, 0, "columns", "",
     "run the gradient across display columns, the same on\nevery line (text art, banners)"},
    {kWave, 'w', "wave", "", "add the superscript/subscript wave (aim, html)"},
    {kPreview, 'p', "preview", "FILE.png",
     "also draw the markup as the window's preview box\nshows it, as a PNG (aim only; needs no "
     "display)"},
    {kMarkup, 'm', "markup", "", "the input is markup: print it unchanged, no fade"},
    {kHelp, 'h', "help", "", "show this help and exit"},
    {kVersion, 'V', "version", "", "show the version and exit"},
}};

} // namespace Chromell::FadeOptions
