#include "cli/fade_command.h"

#include "chromell/version.h"

#include "cli/color_args.h"
#include "cli/preview_png.h"
#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <istream>
#include <ostream>

namespace Chromell {
namespace {

constexpr std::string_view kProgram = "chromell-fade";

// Reads all of a stream into a string.
std::string ReadAll(std::istream& in) {
    std::string data;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    return data;
}

void DropOneLineEnding(std::string& text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
}

} // namespace

std::string FadeUsage() {
    return "Usage: chromell-fade [--colors C1,C2,C3] [--wave] [--preview FILE.png] [--] [TEXT...]\n"
           "       chromell-fade --markup [--preview FILE.png] [--] [MARKUP...]\n"
           "Writes TEXT as chat markup in which every character carries its own font colour,\n"
           "fading from C1 to C2 over the first half and from C2 to C3 over the rest.\n"
           "With no TEXT, reads standard input (UTF-8) and drops one trailing line ending.\n"
           "\n"
           "  -c, --colors C1,C2,C3  colours as RRGGBB or #RRGGBB, red first\n"
           "                         (default " +
           std::string(kDefaultColors) +
           ": red, green, blue)\n"
           "  -w, --wave             add the superscript/subscript wave\n"
           "  -p, --preview FILE     also draw the markup as the preview box shows it, as a\n"
           "                         PNG: white, at least 297 x 25 pixels, grown to hold\n"
           "                         every line; needs no display\n"
           "  -m, --markup           the input is markup: print it unchanged, no fade\n"
           "                         (useful with --preview)\n"
           "  -h, --help             show this help and exit\n"
           "  -V, --version          show the version and exit\n"
           "\n"
           "Exit status: 0 on success, 1 if the text cannot be faded or the preview cannot\n"
           "be written (then nothing is printed and FILE is left as it was), 2 for a usage\n"
           "error.\n";
}

std::optional<FadeCommandLine> ParseFadeCommandLine(std::span<const std::string_view> args,
                                                    std::string& error) {
    FadeCommandLine line;
    std::string error_detail;
    line.colors = *ParseColorList(kDefaultColors, error_detail);
    std::optional<std::string> words;
    auto addWord = [&](std::string_view word) {
        if (words) {
            words->push_back(' ');
            words->append(word);
        } else {
            words = std::string(word);
        }
    };
    bool optionsEnded = false;
    std::string_view waveOrColors;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            addWord(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            line.action = FadeCommandLine::Action::Help;
        } else if (arg == "-V" || arg == "--version") {
            line.action = FadeCommandLine::Action::Version;
        } else if (arg == "-w" || arg == "--wave") {
            line.wave = true;
            waveOrColors = arg;
        } else if (arg == "-m" || arg == "--markup") {
            line.markup = true;
        } else if (arg == "-p" || arg == "--preview" || arg.starts_with("--preview=")) {
            std::string_view value;
            if (arg.starts_with("--preview=")) {
                value = arg.substr(10);
            } else if (k + 1 < args.size()) {
                value = args[++k];
            } else {
                error = std::string(arg) + " needs a value: the PNG file to write";
                return std::nullopt;
            }
            if (value.empty()) {
                error = "--preview needs a file name";
                return std::nullopt;
            }
            line.previewPath = std::string(value);
        } else if (arg == "-c" || arg == "--colors" || arg.starts_with("--colors=")) {
            std::string_view value;
            if (arg.starts_with("--colors=")) {
                value = arg.substr(9);
            } else if (k + 1 < args.size()) {
                value = args[++k];
            } else {
                error = std::string(arg) + " needs a value: C1,C2,C3";
                return std::nullopt;
            }
            const auto colors = ParseColorList(value, error_detail);
            if (!colors) {
                error = "--colors: " + error_detail;
                return std::nullopt;
            }
            line.colors = *colors;
            waveOrColors = "--colors";
        } else {
            error = "unknown option '" + std::string(arg) + "'";
            return std::nullopt;
        }
    }
    if (line.markup && !waveOrColors.empty()) {
        error = std::string(waveOrColors) + " has no effect with --markup, which does not fade";
        return std::nullopt;
    }
    line.text = std::move(words);
    return line;
}

int RunFadeCommand(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    std::string usageError;
    const auto line = ParseFadeCommandLine(args, usageError);
    if (!line) {
        err << kProgram << ": " << usageError << "\nTry 'chromell-fade --help'.\n";
        return 2;
    }
    if (line->action == FadeCommandLine::Action::Help) {
        out << FadeUsage();
        return 0;
    }
    if (line->action == FadeCommandLine::Action::Version) {
        out << kProgram << ' ' << CHROMELL_VERSION << '\n';
        return 0;
    }
    if (std::string why; line->previewPath && !PreviewAvailable(why)) {
        err << kProgram << ": " << why << '\n';
        return 1;
    }

    std::string bytes;
    if (line->text) {
        bytes = *line->text;
    } else {
        bytes = ReadAll(in);
        DropOneLineEnding(bytes);
    }
    VexoFade::Utf8Error bad{};
    auto text = VexoFade::DecodeUtf8(bytes, &bad);
    if (!text) {
        err << kProgram << ": the text is not valid UTF-8 (bad byte at offset " << bad.offset
            << (line->text ? " of the joined arguments" : " of the input") << ")\n";
        return 1;
    }
    std::string markup;
    std::u16string previewMarkup;
    if (line->markup) {
        markup = std::move(bytes);
        if (line->previewPath) {
            previewMarkup = std::move(*text);
        }
    } else {
        try {
            const auto& c = line->colors;
            std::u16string faded = VexoFade::FadeThreeColors(
                c[0], c[1], c[2], *text, line->wave ? VexoFade::kTrue : VexoFade::kFalse);
            markup.reserve(faded.size() + 1);
            VexoFade::AppendUtf8(faded, markup);
            if (line->previewPath) {
                previewMarkup = std::move(faded);
            }
        } catch (const VexoFade::Error& e) {
            err << kProgram << ": " << e.what() << '\n';
            return 1;
        }
    }

    std::unique_ptr<PendingPreview> preview;
    if (line->previewPath) {
        std::string previewError;
        preview = PreparePreviewPng(previewMarkup, *line->previewPath, previewError);
        if (!preview) {
            err << kProgram << ": " << previewError << '\n';
            return 1;
        }
    }

    markup.push_back('\n');
    out.write(markup.data(), static_cast<std::streamsize>(markup.size()));
    out.flush();
    if (!out) {
        err << kProgram << ": could not write the output\n";
        return 1; // an uncommitted preview is thrown away
    }
    if (preview) {
        std::string commitError;
        if (!preview->Commit(commitError)) {
            err << kProgram << ": cannot write the preview to '" << *line->previewPath
                << "': " << commitError << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace Chromell
