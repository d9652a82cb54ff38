#pragma once

#include "engine/color.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Chromell {

// What a chromell-fade command line asks for.
struct FadeCommandLine {
    enum class Action { Fade, Help, Version };
    Action action = Action::Fade;
    std::array<VexoFade::RgbColor, 3> colors{};
    bool wave = false;
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

// Runs chromell-fade: 0 on success, 1 when the text cannot be faded or the
// preview cannot be written, 2 for a usage error. Nothing is written to `out`
// unless the whole run succeeds; with a preview, the markup is written only
// once the PNG is drawn and stored next to its destination, and the PNG is
// moved into place only once the markup is out.
int RunFadeCommand(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                   std::ostream& err);

std::string FadeUsage();

} // namespace Chromell
