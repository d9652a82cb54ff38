#include "cli/color_args.h"
#include "cli/fade_command.h"
#include "cli/fade_formats.h"
#include "engine/base/error.h"
#include "engine/utf8.h"

#include <array>

namespace Chromell {
namespace {

// The example of a format: "Hi" from red to blue, escape characters shown as \e.
std::string Example(VexoFade::MarkupFormat format) {
    constexpr std::array<VexoFade::Rgb, 2> kRedToBlue{{{255, 0, 0}, {0, 0, 255}}};
    std::string bytes;
    try {
        VexoFade::AppendUtf8(VexoFade::FadeGradient(kRedToBlue, u"Hi", {.format = format}), bytes);
    } catch (const VexoFade::Error& e) {
        return std::string("(cannot show: ") + e.what() + ")";
    }
    std::string shown;
    for (const char c : bytes) {
        if (c == '\x1B') {
            shown += "\\e";
        } else {
            shown.push_back(c);
        }
    }
    return shown;
}

} // namespace

std::string FadeUsage() {
    std::string text =
        "Usage: chromell-fade [OPTION]... [--] [TEXT...]\n"
        "       chromell-fade --markup [--preview FILE.png] [--] [MARKUP...]\n"
        "Writes TEXT as markup in which every character carries its own colour, fading\n"
        "through the colours given. With no TEXT, reads standard input (UTF-8) until end\n"
        "of file, less a leading byte order mark and one trailing line ending.\n"
        "\n"
        "  -c, --colors C1,C2,...  2 to 16 colours: RRGGBB, #RRGGBB, #RGB or a CSS name\n"
        "                          (default " +
        std::string(kDefaultColors) +
        ")\n"
        "      --format FORMAT     the markup to write (below; default aim)\n"
        "      --blend rgb|oklab   mix the colours in RGB (default) or in Oklab\n"
        "      --per-line          give each line a gradient of its own\n"
        "  -w, --wave              add the superscript/subscript wave (aim, html)\n"
        "  -p, --preview FILE.png  also draw the markup as the window's preview box\n"
        "                          shows it, as a PNG (aim only; needs no display)\n"
        "  -m, --markup            the input is markup: print it unchanged, no fade\n"
        "  -h, --help              show this help and exit\n"
        "  -V, --version           show the version and exit\n"
        "\n"
        "Formats, each with \"Hi\" from red to blue:\n";
    for (const FormatInfo& info : Formats()) {
        text.append("  ").append(info.name);
        text.append(13 - info.name.size(), ' ').append(info.description).append("\n");
        text.append("               ").append(Example(info.format)).append("\n");
    }
    text += "\n"
            "Examples:\n"
            "  chromell-fade -c red,gold,#00f 'Hello there'\n"
            "  fortune | chromell-fade --format ansi --blend oklab --per-line -c hotpink,cyan\n"
            "\n"
            "The text may be 32,767 UTF-16 units long. Exit status: 0 on success, 1 if the\n"
            "text cannot be faded or the preview or the output cannot be written (then\n"
            "nothing is printed and FILE is left as it was), 2 for a usage error.\n";
    return text;
}

} // namespace Chromell
