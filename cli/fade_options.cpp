#include "cli/fade_options.h"

#include "cli/color_args.h"
#include "cli/fade_formats.h"
#include "engine/gradient.h"

#include <string>

namespace Chromell::FadeOptions {

const std::array<OptionDef, 10>& Table() {
    static const std::string colorsHelp =
        std::to_string(VexoFade::kMinStops) + " to " + std::to_string(VexoFade::kMaxStops) +
        " colours: " + std::string(kColorForms) + "\n(default " + std::string(kDefaultColors) + ")";
    static const std::string blendNames = BlendNames("|");
    static const std::string blendHelp = "mix the colours in " + BlendNames(" or ") + " (default " +
                                         std::string(BlendName(VexoFade::GradientOptions{}.blend)) +
                                         ")";
    static const std::string formatHelp =
        "the markup to write (below; default " +
        std::string(FormatName(VexoFade::GradientOptions{}.format)) + ")";
    static const std::string waveHelp = [] {
        std::string names;
        for (const FormatInfo& info : Formats()) {
            if (VexoFade::HasWave(info.format)) {
                names.append(names.empty() ? "" : ", ").append(info.name);
            }
        }
        return "add the superscript/subscript wave (" + names + ")";
    }();
    static const std::array<OptionDef, 10> table{{
        {kColors, 'c', "colors", "C1,C2,...", colorsHelp},
        {kFormat, 0, "format", "FORMAT", formatHelp},
        {kBlend, 0, "blend", blendNames, blendHelp},
        {kPerLine, 0, "per-line", "",
         "give each line a gradient of its own, written as soon as\nthe line has ended"},
        {kColumns, 0, "columns", "",
         "run the gradient across display columns, the same on\nevery line (text art, banners)"},
        {kWave, 'w', "wave", "", waveHelp},
        {kPreview, 'p', "preview", "FILE.png",
         "also draw the markup as the window's preview box\nshows it, as a PNG (aim only; needs "
         "no display)"},
        {kMarkup, 'm', "markup", "", "the input is markup: print it unchanged, no fade"},
        {kHelp, 'h', "help", "", "show this help and exit"},
        {kVersion, 'V', "version", "", "show the version and exit"},
    }};
    return table;
}

} // namespace Chromell::FadeOptions
