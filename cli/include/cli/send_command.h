#pragma once

#include "bridge/window_service.h"
#include "cli/output.h"
#include "engine/color.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Chromell {

// What a chromell-send command line asks for.
struct SendCommandLine {
    enum class Action { Send, Help, Version };
    enum class Target { Im, Chat };
    Action action = Action::Send;
    Target target = Target::Im;
    std::array<VexoFade::RgbColor, 3> colors{};
    bool wave = false;
    // Deliver the text as it is instead of fading it.
    bool raw = false;
    // The TEXT words joined by single spaces.
    std::u16string text;
};

// Parses the arguments after the program name, as the UTF-16 text Windows
// passes them. On a usage error returns nothing and puts the message into
// `error`.
std::optional<SendCommandLine> ParseSendCommandLine(std::span<const std::u16string_view> args,
                                                    std::string& error);

// Runs chromell-send against the window service: 0 once the text has been
// handed to the messenger's window (whether one was open is not known), 1 when
// the text cannot be faded or the messenger did not answer (then no click was
// made), 2 for a usage error. Messages go to `err`, help and version to `out`,
// as UTF-8; help or version that cannot be written ends with 1.
int RunSendCommand(std::span<const std::u16string_view> args, Module1::WindowService& windows,
                   OutputSink& out, std::ostream& err);

std::string SendUsage();

} // namespace Chromell
