#include "base/error.h"
#include "cli/color_args.h"
#include "cli/fade_command.h"
#include "cli/fade_formats.h"
#include "cli/fade_options.h"
#include "engine/fader.h"
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
    } catch (const Chromell::Error& e) {
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
        "\n" +
        DescribeOptions(FadeOptions::Table()) +
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
            "  tail -f log | chromell-fade --format ansi --blend oklab --per-line -c hotpink,cyan\n"
            "  figlet Chromell | chromell-fade --format ansi --columns\n"
            "\n"
            "The messenger's markup (aim) holds at most " +
            Chromell::FormatCount(VexoFade::kMaxFadeLength) +
            " UTF-16 units; the other\n"
            "formats take any length. Exit status: 0 on success, 1 if the text cannot be\n"
            "read or faded or the preview or the output cannot be written (then, in aim,\n"
            "nothing is printed and FILE is left as it was), 2 for a usage error.\n";
    return text;
}

} // namespace Chromell
