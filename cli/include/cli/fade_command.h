#pragma once

#include "engine/gradient.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Chromell {

class InputSource;
class OutputSink;

// What a chromell-fade command line asks for.
struct FadeCommandLine {
    enum class Action { Fade, Help, Version };
    Action action = Action::Fade;
    std::vector<VexoFade::Rgb> stops;
    VexoFade::GradientOptions options;
    // The input is markup already: printed as it is, not faded.
    bool markup = false;
    // Where to write a PNG of the preview, if anywhere.
    std::optional<std::string> previewPath;
    // The TEXT words joined by single spaces; none means: read standard input.
    std::optional<std::string> text;
};

// Parses the arguments after the program name. On a usage error returns
// nothing and puts the message into `error`.
std::optional<FadeCommandLine> ParseFadeCommandLine(std::span<const std::string_view> args,
                                                    std::string& error);

// The streams of one run.
struct FadeStreams {
    InputSource& in;
    OutputSink& out;
    std::ostream& err;
    // With no TEXT on a terminal, a hint says how to end the text.
    bool inputIsTerminal = false;
};

// Runs chromell-fade: 0 on success, 1 when the text cannot be read or faded,
// the preview cannot be written or the output cannot be written, 2 for a
// usage error. In the messenger's markup (and with --markup) nothing is
// written to `out` unless the whole run succeeds; with a preview, the markup
// is written only once the PNG is drawn and stored next to its destination,
// and the PNG is moved into place only once the markup is out. The other
// formats read the input in pieces: per line, each line is written and
// flushed once its break is in (a bad byte later on still fails the run);
// otherwise the text is held until its end and written as it is faded.
int RunFadeCommand(std::span<const std::string_view> args, const FadeStreams& streams);
int RunFadeCommand(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// The --help text: the options, and an example of every format.
std::string FadeUsage();

} // namespace Chromell
