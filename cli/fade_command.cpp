#include "cli/fade_command.h"

#include "base/error.h"
#include "chromell/version.h"
#include "cli/color_args.h"
#include "cli/fade_formats.h"
#include "cli/fade_options.h"
#include "cli/input.h"
#include "cli/output.h"
#include "cli/preview_png.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <memory>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace Chromell {
namespace {

using namespace FadeOptions;

constexpr std::string_view kPrefix = "chromell-fade: ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kReadSize = std::size_t{1} << 16;

// The output could not be written: why.
struct WriteFailed {
    std::string why;
};

// Writes the markup as UTF-8 in blocks of about kReadSize bytes; Flush()
// passes on what is held at once. A failure ends the run by WriteFailed.
class Utf8Out final : public VexoFade::MarkupSink {
public:
    explicit Utf8Out(OutputSink& out) : out_(out) {}
    void Write(std::u16string_view block) override {
        VexoFade::AppendUtf8(block, bytes_);
        if (bytes_.size() >= kReadSize) {
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

// The input is not UTF-8: the offset of the bad byte in the whole input.
struct BadUtf8 {
    std::size_t offset;
};

// Decodes UTF-8 that arrives in pieces; a sequence cut by a piece's end waits
// for the next.
class Utf8Pieces {
public:
    // `skipped`: bytes of the input before the first piece, for offsets.
    explicit Utf8Pieces(std::size_t skipped = 0) : decoded_(skipped) {}

    // The text of what has arrived, up to the last whole sequence (all of it
    // at the end of the input).
    std::u16string Decode(std::string_view bytes, bool end) {
        held_.append(bytes);
        const std::size_t whole = end ? held_.size() : WholeSequences(held_);
        VexoFade::Utf8Error bad{};
        auto text = VexoFade::DecodeUtf8(std::string_view(held_).substr(0, whole), &bad);
        if (!text) {
            throw BadUtf8{decoded_ + bad.offset};
        }
        decoded_ += whole;
        held_.erase(0, whole);
        return std::move(*text);
    }

private:
    // How many bytes end with a whole sequence: the last one is held back
    // if its lead byte asks for more bytes than have come.
    static std::size_t WholeSequences(std::string_view bytes) {
        for (std::size_t back = 1; back <= 4 && back <= bytes.size(); ++back) {
            const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
            if ((byte & 0xC0) == 0x80) {
                continue;
            }
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? bytes.size() - back : bytes.size();
        }
        return bytes.size();
    }

    std::string held_;
    std::size_t decoded_ = 0;
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
    const VexoFade::MarkupFormat format = line.options.format;
    if (line.options.wave && format != VexoFade::MarkupFormat::Aim &&
        format != VexoFade::MarkupFormat::Html) {
        error =
            "--wave works only with --format aim or html, not " + std::string(FormatName(format));
        return false;
    }
    if (line.options.perLine && line.options.columns) {
        error = "--columns and --per-line exclude each other: one gradient runs across the "
                "columns of every line, the other along each line";
        return false;
    }
    if (line.previewPath && format != VexoFade::MarkupFormat::Aim) {
        error = "--preview draws the messenger's markup (--format aim) only, not " +
                std::string(FormatName(format));
        return false;
    }
    return true;
}

bool WriteOut(const FadeStreams& streams, std::string_view bytes) {
    std::string why;
    if (streams.out.Write(bytes, why)) {
        return true;
    }
    streams.err << kPrefix << "could not write the output: " << why << '\n';
    return false;
}

// Reads the input to its end, less a leading byte order mark, handing each
// piece to `take(piece, skipped, end)` as it arrives (a piece that could hold
// only the start of the mark waits for more); `skipped` counts the bytes
// dropped at the start.
template <class Take> void ReadPieces(InputSource& in, Take take) {
    std::string first;
    std::vector<char> buffer(kReadSize);
    bool started = false;
    std::size_t skipped = 0;
    while (true) {
        std::string why;
        const auto got = in.Read(buffer, why);
        if (!got) {
            throw std::runtime_error("could not read the input: " + why);
        }
        std::string_view piece(buffer.data(), *got);
        if (!started) {
            first.append(piece);
            if (first.size() < kByteOrderMark.size() && *got != 0 &&
                kByteOrderMark.starts_with(first)) {
                continue;
            }
            started = true;
            piece = first;
            if (piece.starts_with(kByteOrderMark)) {
                skipped = kByteOrderMark.size();
                piece.remove_prefix(skipped);
            }
        }
        take(piece, skipped, *got == 0);
        if (*got == 0) {
            return;
        }
    }
}

// The whole input as one string, for the messenger's markup.
std::string ReadAll(InputSource& in, std::size_t& skipped) {
    std::string data;
    ReadPieces(in, [&](std::string_view piece, std::size_t dropped, bool) {
        data.append(piece);
        skipped = dropped;
    });
    return data;
}

void DropOneLineEnding(std::string& text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
}

// The formats other than the messenger's: the text from standard input is
// faded as it arrives and the markup written as it is made.
void StreamFade(const FadeCommandLine& line, const FadeStreams& streams, Utf8Out& out) {
    VexoFade::GradientStream fade(line.stops, line.options, out);
    std::optional<Utf8Pieces> decoder;
    const bool perLine = line.options.perLine;
    // The whole text's one trailing line ending is dropped: the end of the
    // text so far is held back until more comes.
    std::u16string held;
    ReadPieces(streams.in, [&](std::string_view bytes, std::size_t skipped, bool end) {
        if (!decoder) {
            decoder.emplace(skipped);
        }
        const std::u16string piece = decoder->Decode(bytes, end);
        if (perLine) {
            fade.Append(piece);
            out.Flush();
            return;
        }
        held.append(piece);
        std::size_t keep = held.ends_with(u"\r\n") ? 2 : held.ends_with(u'\n') ? 1 : 0;
        if (end) {
            held.resize(held.size() - keep);
            keep = 0;
        } else if (keep == 0 && held.ends_with(u'\r')) {
            keep = 1; // an LF may follow
        }
        fade.Append(std::u16string_view(held).substr(0, held.size() - keep));
        held.erase(0, held.size() - keep);
    });
    fade.Finish();
    if (!perLine || out.LastByte() != '\n') {
        out.Bytes("\n");
    }
    out.Flush();
}

// The messenger's markup, and --markup: the whole text is read and checked
// before anything is written.
int RunWhole(const FadeCommandLine& line, const FadeStreams& streams) {
    std::ostream& err = streams.err;
    std::string bytes;
    std::size_t skipped = 0; // bytes dropped from the front, for error offsets
    if (line.text) {
        bytes = *line.text;
    } else {
        bytes = ReadAll(streams.in, skipped);
        DropOneLineEnding(bytes);
    }
    VexoFade::Utf8Error bad{};
    auto text = VexoFade::DecodeUtf8(bytes, &bad);
    if (!text) {
        throw BadUtf8{bad.offset + skipped};
    }
    std::string markup;
    std::u16string previewMarkup;
    if (line.markup) {
        markup = std::move(bytes);
        if (line.previewPath) {
            previewMarkup = std::move(*text);
        }
    } else {
        if (text->size() > VexoFade::kMaxFadeLength) {
            err << kPrefix << "the text is "
                << VexoFade::FormatCount(static_cast<long long>(text->size()))
                << " UTF-16 units long; at most " << VexoFade::FormatCount(VexoFade::kMaxFadeLength)
                << " can be faded in the messenger's markup (the other formats take any length)\n";
            return 1;
        }
        std::u16string faded = VexoFade::FadeGradient(line.stops, *text, line.options);
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
    if (!WriteOut(streams, markup)) {
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
    const auto parsed = ParseOptions(kTable, args, error);
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
    if (!line->text && streams.inputIsTerminal) {
        err << kPrefix << "reading the text from standard input until end of file (Ctrl-D)\n";
    }
    const char* const source = line->text ? " of the joined arguments" : " of the input";
    try {
        if (!line->markup && line->options.format != VexoFade::MarkupFormat::Aim) {
            Utf8Out out(streams.out);
            if (line->text) {
                Utf8Pieces decoder;
                VexoFade::FadeGradient(line->stops, decoder.Decode(*line->text, true),
                                       line->options, out);
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
    } catch (const VexoFade::Error& e) {
        err << kPrefix << "cannot fade the text: " << e.what() << '\n';
    } catch (const std::runtime_error& e) {
        err << kPrefix << e.what() << '\n';
    }
    return 1;
}

} // namespace Chromell
