#include "cli/fade_command.h"

#include "base/error.h"
#include "chromell/version.h"
#include "cli/color_args.h"
#include "cli/fade_formats.h"
#include "cli/fade_options.h"
#include "cli/front_matter.h"
#include "cli/input.h"
#include "cli/input_text.h"
#include "cli/output.h"
#include "cli/preview_png.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <memory>
#include <ostream>
#include <stdexcept>

namespace Chromell {
namespace {

using namespace FadeOptions;

constexpr std::string_view kProgram = "chromell-fade";
constexpr std::string_view kPrefix = "chromell-fade: ";
constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

// The output could not be written: why.
struct WriteFailed {
    std::string why;
};

// Writes the markup as UTF-8 in blocks of about kOutputBlock bytes; Flush()
// passes on what is held at once. A failure ends the run by WriteFailed.
class Utf8Out final : public VexoFade::MarkupSink {
public:
    explicit Utf8Out(OutputSink& out) : out_(out) {}
    void Write(std::u16string_view block) override {
        VexoFade::AppendUtf8(block, bytes_);
        if (bytes_.size() >= kOutputBlock) {
            Flush();
        }
    }
    void Bytes(std::string_view bytes) { bytes_.append(bytes); }
    void Flush() {
        if (bytes_.empty()) {
            return;
        }
        if (std::string why; !out_.Write(bytes_, why)) {
            throw WriteFailed{why};
        }
        lastByte_ = bytes_.back();
        bytes_.clear();
    }
    // The last byte written, or 0.
    char LastByte() const { return bytes_.empty() ? lastByte_ : bytes_.back(); }

private:
    OutputSink& out_;
    std::string bytes_;
    char lastByte_ = 0;
};

// Applies one parsed option; false (with `error` set) for a bad value.
bool Apply(const ParsedOption& option, FadeCommandLine& line, std::string& error) {
    switch (static_cast<Id>(option.id)) {
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
                FormatNames();
        return false;
    case kBlend:
        if (const auto blend = FindBlend(option.value)) {
            line.options.blend = *blend;
            return true;
        }
        error = option.name + ": unknown blend '" + std::string(option.value) + "'; use " +
                BlendNames(" or ");
        return false;
    case kPerLine:
        line.options.perLine = true;
        return true;
    case kColumns:
        line.options.columns = true;
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
    case kVersion:
        line.action = FadeCommandLine::Action::Version;
        return true;
    }
    error = option.name + " is not handled";
    return false;
}

// Options that change how the text is faded, and so mean nothing with --markup.
bool ShapesTheFade(int id) {
    return id == kColors || id == kWave || id == kFormat || id == kBlend || id == kPerLine ||
           id == kColumns;
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
    try {
        VexoFade::CheckGradient(line.stops.size(), line.options);
    } catch (const Chromell::Error& e) {
        error = e.what();
        return false;
    }
    const VexoFade::MarkupFormat format = line.options.format;
    if (line.previewPath && format != VexoFade::MarkupFormat::Aim) {
        error = "--preview draws the messenger's markup (--format aim) only, not " +
                std::string(FormatName(format));
        return false;
    }
    return true;
}

// The formats other than the messenger's: the text from standard input is
// faded as it arrives and the markup written as it is made.
void StreamFade(const FadeCommandLine& line, const FadeStreams& streams, Utf8Out& out) {
    VexoFade::GradientStream fade(line.stops, line.options, out);
    const bool perLine = line.options.perLine;
    ReadInputText(streams.in, perLine ? LineEndings::AsTheyCome : LineEndings::DropTrailing,
                  [&](std::u16string_view piece) {
                      fade.Append(piece);
                      if (perLine) {
                          out.Flush();
                      }
                  });
    fade.Finish();
    // The output ends with a line feed: per line the input's own, if it had one.
    if (!perLine || out.LastByte() != '\n') {
        out.Bytes("\n");
    }
    out.Flush();
}

// The messenger's markup, and --markup: the whole text is read and checked
// before anything is written.
int RunWhole(const FadeCommandLine& line, const FadeStreams& streams) {
    std::ostream& err = streams.err;
    const std::u16string text =
        line.text ? DecodeArguments(*line.text) : ReadAllInputText(streams.in);
    std::string markup;
    std::u16string previewMarkup;
    if (line.markup) {
        VexoFade::AppendUtf8(text, markup);
        if (line.previewPath) {
            previewMarkup = text;
        }
    } else {
        VexoFade::CheckFadeLength(line.options.format, text.size());
        std::u16string faded = VexoFade::FadeGradient(line.stops, text, line.options);
        markup.reserve(faded.size() + faded.size() / 8 + 1);
        VexoFade::AppendUtf8(faded, markup);
        if (line.previewPath) {
            previewMarkup = std::move(faded);
        }
    }

    std::unique_ptr<PendingPreview> preview;
    if (line.previewPath) {
        std::string previewError;
        preview = PreparePreviewPng(previewMarkup, *line.previewPath, previewError);
        if (!preview) {
            err << kPrefix << previewError << '\n';
            return 1;
        }
    }

    markup.push_back('\n');
    if (!WriteOutput(kProgram, streams.out, err, markup)) {
        return 1; // an uncommitted preview is thrown away
    }
    if (preview) {
        std::string commitError;
        if (!preview->Commit(commitError)) {
            err << kPrefix << "cannot write the preview to '" << *line.previewPath
                << "': " << commitError << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace

std::optional<FadeCommandLine> ParseFadeCommandLine(std::span<const std::string_view> args,
                                                    std::string& error) {
    const auto parsed = ParseOptions(Table(), args, error);
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
    StreamInput input(in);
    StreamOutput sink(out);
    return RunFadeCommand(args, FadeStreams{input, sink, err});
}

int RunFadeCommand(std::span<const std::string_view> args, const FadeStreams& streams) {
    std::ostream& err = streams.err;
    std::string usageError;
    const auto line = ParseFadeCommandLine(args, usageError);
    if (!line) {
        return ReportUsageError(kProgram, err, usageError);
    }
    if (line->action == FadeCommandLine::Action::Help) {
        return ShowHelp(kProgram, streams.out, err, FadeUsage());
    }
    if (line->action == FadeCommandLine::Action::Version) {
        return ShowVersion(kProgram, streams.out, err);
    }
    if (std::string why; line->previewPath && !PreviewAvailable(why)) {
        err << kPrefix << why << '\n';
        return 1;
    }
    if (!line->text && streams.inputIsTerminal) {
        err << kPrefix << "reading the text from standard input until end of file (Ctrl-D)\n";
    }
    const char* const source = line->text ? " of the joined arguments" : " of the input";
    try {
        if (!line->markup && line->options.format != VexoFade::MarkupFormat::Aim) {
            Utf8Out out(streams.out);
            if (line->text) {
                VexoFade::FadeGradient(line->stops, DecodeArguments(*line->text), line->options,
                                       out);
                out.Bytes("\n");
                out.Flush();
            } else {
                StreamFade(*line, streams, out);
            }
            return 0;
        }
        return RunWhole(*line, streams);
    } catch (const BadUtf8& bad) {
        err << kPrefix << "the text is not valid UTF-8 (bad byte at offset " << bad.offset << source
            << ")\n";
    } catch (const WriteFailed& failed) {
        err << kPrefix << "could not write the output: " << failed.why << '\n';
    } catch (const Chromell::Error& e) {
        err << kPrefix << "cannot fade the text: " << e.what() << '\n';
    } catch (const std::runtime_error& e) {
        err << kPrefix << e.what() << '\n';
    }
    return 1;
}

} // namespace Chromell
