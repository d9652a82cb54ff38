#include "cli/fade_command.h"

#include "chromell/version.h"
#include "cli/color_args.h"
#include "cli/fade_formats.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/preview_png.h"
#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <array>
#include <istream>
#include <ostream>

namespace Chromell {
namespace {

constexpr std::string_view kPrefix = "chromell-fade: ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum Option { kColors, kWave, kFormat, kBlend, kPerLine, kMarkup, kPreview, kHelp, kVersion };

constexpr std::array<OptionDef, 9> kOptions{{
    {kColors, 'c', "colors", "C1,C2,..."},
    {kWave, 'w', "wave", ""},
    {kFormat, 0, "format", "FORMAT"},
    {kBlend, 0, "blend", "rgb or oklab"},
    {kPerLine, 0, "per-line", ""},
    {kMarkup, 'm', "markup", ""},
    {kPreview, 'p', "preview", "FILE.png"},
    {kHelp, 'h', "help", ""},
    {kVersion, 'V', "version", ""},
}};

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

// Applies one parsed option; false (with `error` set) for a bad value.
bool Apply(const ParsedOption& option, FadeCommandLine& line, std::string& error) {
    switch (option.id) {
    case kColors:
        if (auto stops = ParseStopList(option.value, error)) {
            line.stops = std::move(*stops);
            return true;
        }
        error.insert(0, option.name + ": ");
        return false;
    case kWave:
        line.options.wave = true;
        return true;
    case kFormat:
        if (const auto format = FindFormat(option.value)) {
            line.options.format = *format;
            return true;
        }
        error = option.name + ": unknown format '" + std::string(option.value) + "'; use " +
                std::string(kFormatNames);
        return false;
    case kBlend:
        if (option.value == "rgb" || option.value == "oklab") {
            line.options.blend =
                option.value == "rgb" ? VexoFade::Blend::Rgb : VexoFade::Blend::Oklab;
            return true;
        }
        error =
            option.name + ": unknown blend '" + std::string(option.value) + "'; use rgb or oklab";
        return false;
    case kPerLine:
        line.options.perLine = true;
        return true;
    case kMarkup:
        line.markup = true;
        return true;
    case kPreview:
        if (option.value.empty()) {
            error = option.name + " needs a file name";
            return false;
        }
        line.previewPath = std::string(option.value);
        return true;
    case kHelp:
        line.action = FadeCommandLine::Action::Help;
        return true;
    default:
        line.action = FadeCommandLine::Action::Version;
        return true;
    }
}

// Options that change how the text is faded, and so mean nothing with --markup.
bool ShapesTheFade(int id) {
    return id == kColors || id == kWave || id == kFormat || id == kBlend || id == kPerLine;
}

// Checks the options against each other; false (with `error` set) if they clash.
bool CheckCombination(const ParsedArguments& parsed, const FadeCommandLine& line,
                      std::string& error) {
    for (const ParsedOption& option : parsed.options) {
        if (line.markup && ShapesTheFade(option.id)) {
            error = option.name + " has no effect with --markup, which does not fade";
            return false;
        }
    }
    const VexoFade::MarkupFormat format = line.options.format;
    if (line.options.wave && format != VexoFade::MarkupFormat::Aim &&
        format != VexoFade::MarkupFormat::Html) {
        error =
            "--wave works only with --format aim or html, not " + std::string(FormatName(format));
        return false;
    }
    if (line.previewPath && format != VexoFade::MarkupFormat::Aim) {
        error = "--preview draws the messenger's markup (--format aim) only, not " +
                std::string(FormatName(format));
        return false;
    }
    return true;
}

// The text as the fader gets it: three stops in aim format go the way the
// window's own fade goes.
std::u16string Fade(const FadeCommandLine& line, std::u16string_view text) {
    const auto& stops = line.stops;
    const auto& options = line.options;
    if (stops.size() == 3 && options.format == VexoFade::MarkupFormat::Aim &&
        options.blend == VexoFade::Blend::Rgb && !options.perLine) {
        const auto color = [&](std::size_t k) {
            return VexoFade::MakeRgb(stops[k].red, stops[k].green, stops[k].blue);
        };
        return VexoFade::FadeThreeColors(color(0), color(1), color(2), text,
                                         options.wave ? VexoFade::kTrue : VexoFade::kFalse);
    }
    return VexoFade::FadeGradient(stops, text, options);
}

bool WriteOut(const FadeStreams& streams, std::string_view bytes) {
    std::string why;
    if (streams.out.Write(bytes, why)) {
        return true;
    }
    streams.err << kPrefix << "could not write the output: " << why << '\n';
    return false;
}

} // namespace

std::optional<FadeCommandLine> ParseFadeCommandLine(std::span<const std::string_view> args,
                                                    std::string& error) {
    const auto parsed = ParseOptions(kOptions, args, error);
    if (!parsed) {
        return std::nullopt;
    }
    FadeCommandLine line;
    line.stops = *ParseStopList(kDefaultColors, error);
    for (const ParsedOption& option : parsed->options) {
        if (!Apply(option, line, error)) {
            return std::nullopt;
        }
    }
    if (!CheckCombination(*parsed, line, error)) {
        return std::nullopt;
    }
    for (const std::string_view word : parsed->operands) {
        if (line.text) {
            line.text->push_back(' ');
            line.text->append(word);
        } else {
            line.text = std::string(word);
        }
    }
    return line;
}

int RunFadeCommand(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    StreamOutput sink(out);
    return RunFadeCommand(args, FadeStreams{in, sink, err});
}

int RunFadeCommand(std::span<const std::string_view> args, const FadeStreams& streams) {
    std::ostream& err = streams.err;
    std::string usageError;
    const auto line = ParseFadeCommandLine(args, usageError);
    if (!line) {
        err << kPrefix << usageError << " (see 'chromell-fade --help')\n";
        return 2;
    }
    if (line->action == FadeCommandLine::Action::Help) {
        return WriteOut(streams, FadeUsage()) ? 0 : 1;
    }
    if (line->action == FadeCommandLine::Action::Version) {
        return WriteOut(streams, std::string("chromell-fade ") + CHROMELL_VERSION + '\n') ? 0 : 1;
    }
    if (std::string why; line->previewPath && !PreviewAvailable(why)) {
        err << kPrefix << why << '\n';
        return 1;
    }

    std::string bytes;
    std::size_t skipped = 0; // bytes dropped from the front, for error offsets
    if (line->text) {
        bytes = *line->text;
    } else {
        if (streams.inputIsTerminal) {
            err << kPrefix << "reading the text from standard input until end of file (Ctrl-D)\n";
        }
        bytes = ReadAll(streams.in);
        if (bytes.starts_with(kByteOrderMark)) {
            skipped = kByteOrderMark.size();
            bytes.erase(0, skipped);
        }
        DropOneLineEnding(bytes);
    }
    VexoFade::Utf8Error bad{};
    auto text = VexoFade::DecodeUtf8(bytes, &bad);
    if (!text) {
        err << kPrefix << "the text is not valid UTF-8 (bad byte at offset " << bad.offset + skipped
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
        if (text->size() > VexoFade::kMaxFadeLength) {
            err << kPrefix << "the text is "
                << VexoFade::FormatCount(static_cast<long long>(text->size()))
                << " UTF-16 units long; at most " << VexoFade::FormatCount(VexoFade::kMaxFadeLength)
                << " can be faded\n";
            return 1;
        }
        try {
            std::u16string faded = Fade(*line, *text);
            markup.reserve(faded.size() + faded.size() / 8 + 1);
            VexoFade::AppendUtf8(faded, markup);
            if (line->previewPath) {
                previewMarkup = std::move(faded);
            }
        } catch (const VexoFade::Error& e) {
            err << kPrefix << "cannot fade the text: " << e.what() << '\n';
            return 1;
        }
    }

    std::unique_ptr<PendingPreview> preview;
    if (line->previewPath) {
        std::string previewError;
        preview = PreparePreviewPng(previewMarkup, *line->previewPath, previewError);
        if (!preview) {
            err << kPrefix << previewError << '\n';
            return 1;
        }
    }

    markup.push_back('\n');
    if (!WriteOut(streams, markup)) {
        return 1; // an uncommitted preview is thrown away
    }
    if (preview) {
        std::string commitError;
        if (!preview->Commit(commitError)) {
            err << kPrefix << "cannot write the preview to '" << *line->previewPath
                << "': " << commitError << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace Chromell
