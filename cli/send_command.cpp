#include "cli/send_command.h"

#include "bridge/messenger.h"
#include "chromell/version.h"
#include "cli/color_args.h"
#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <exception>
#include <ostream>

namespace Chromell {
namespace {

constexpr std::string_view kProgram = "chromell-send";

std::string ToUtf8(std::u16string_view text) {
    std::string bytes;
    VexoFade::AppendUtf8(text, bytes);
    return bytes;
}

// Passes every call on, and notes a message the messenger did not answer,
// which SendToIm keeps to itself.
class AnswerWatch final : public Module1::WindowService {
public:
    explicit AnswerWatch(WindowService& windows) : windows_(windows) {}
    bool Unanswered() const { return unanswered_; }

    Module1::Hwnd FindWindowA(const std::string& className) override {
        return windows_.FindWindowA(className);
    }
    Module1::Hwnd FindWindowExA(Module1::Hwnd parent, Module1::Hwnd childAfter,
                                const std::string& className) override {
        return windows_.FindWindowExA(parent, childAfter, className);
    }
    Module1::Hwnd GetWindow(Module1::Hwnd window, std::int32_t command) override {
        return windows_.GetWindow(window, command);
    }
    Module1::LResult SendMessageA(Module1::Hwnd window, Module1::Message message,
                                  Module1::WParam wParam, Module1::LParam lParam) override {
        try {
            return windows_.SendMessageA(window, message, wParam, lParam);
        } catch (const Module1::NotAnswering&) {
            unanswered_ = true;
            throw;
        }
    }
    std::int32_t PostMessageA(Module1::Hwnd window, Module1::Message message,
                              Module1::WParam wParam, Module1::LParam lParam) override {
        return windows_.PostMessageA(window, message, wParam, lParam);
    }
    void Sleep(std::int32_t milliseconds) override { windows_.Sleep(milliseconds); }
    void DoEvents() override { windows_.DoEvents(); }
    std::string ToAnsi(std::u16string_view text) override { return windows_.ToAnsi(text); }

private:
    WindowService& windows_;
    bool unanswered_ = false;
};

} // namespace

std::string SendUsage() {
    return "Usage: chromell-send (--im | --chat) [--colors C1,C2,C3] [--wave] [--raw] [--] "
           "TEXT...\n"
           "Fades TEXT into chat markup, puts it into the entry box of the open AOL Instant\n"
           "Messenger IM window (--im) or chat window (--chat) and presses its send button.\n"
           "TEXT words are joined by single spaces.\n"
           "\n"
           "      --im               deliver to the topmost IM window\n"
           "      --chat             deliver to the topmost chat window\n"
           "  -c, --colors C1,C2,C3  colours as RRGGBB or #RRGGBB, red first\n"
           "                         (default " +
           std::string(kDefaultColors) +
           ": red, green, blue)\n"
           "  -w, --wave             add the superscript/subscript wave\n"
           "  -r, --raw              deliver TEXT as it is, without fading it\n"
           "  -h, --help             show this help and exit\n"
           "  -V, --version          show the version and exit\n"
           "\n"
           "Characters the system's ANSI code page lacks arrive as '?'.\n"
           "\n"
           "Exit status:\n"
           "  0  delivered, or no messenger window open (nothing happens; not an error)\n"
           "  1  the text cannot be faded, or the messenger did not answer (nothing sent)\n"
           "  2  usage error\n";
}

std::optional<SendCommandLine> ParseSendCommandLine(std::span<const std::u16string_view> args,
                                                    std::string& error) {
    SendCommandLine line;
    std::string colorError;
    line.colors = *ParseColorList(kDefaultColors, colorError);
    bool haveIm = false;
    bool haveChat = false;
    bool haveColors = false;
    bool haveText = false;
    bool optionsEnded = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::u16string_view arg = args[k];
        if (optionsEnded || arg.size() < 2 || arg.front() != u'-') {
            if (haveText) {
                line.text.push_back(u' ');
            }
            line.text.append(arg);
            haveText = true;
            continue;
        }
        if (arg == u"--") {
            optionsEnded = true;
        } else if (arg == u"-h" || arg == u"--help") {
            line.action = SendCommandLine::Action::Help;
        } else if (arg == u"-V" || arg == u"--version") {
            line.action = SendCommandLine::Action::Version;
        } else if (arg == u"--im") {
            haveIm = true;
        } else if (arg == u"--chat") {
            haveChat = true;
        } else if (arg == u"-w" || arg == u"--wave") {
            line.wave = true;
        } else if (arg == u"-r" || arg == u"--raw") {
            line.raw = true;
        } else if (arg == u"-c" || arg == u"--colors" || arg.starts_with(u"--colors=")) {
            std::u16string_view value;
            if (arg.starts_with(u"--colors=")) {
                value = arg.substr(9);
            } else if (k + 1 < args.size()) {
                value = args[++k];
            } else {
                error = ToUtf8(arg) + " needs a value: C1,C2,C3";
                return std::nullopt;
            }
            const auto colors = ParseColorList(ToUtf8(value), colorError);
            if (!colors) {
                error = "--colors: " + colorError;
                return std::nullopt;
            }
            line.colors = *colors;
            haveColors = true;
        } else {
            error = "unknown option '" + ToUtf8(arg) + "'";
            return std::nullopt;
        }
    }
    if (line.action != SendCommandLine::Action::Send) {
        return line;
    }
    if (haveIm == haveChat) {
        error = haveIm ? "choose one of --im and --chat, not both"
                       : "say where to deliver: --im or --chat";
        return std::nullopt;
    }
    if (line.raw && (haveColors || line.wave)) {
        error = "--raw delivers the text as it is; it does not go with --colors or --wave";
        return std::nullopt;
    }
    if (!haveText) {
        error = "no TEXT to deliver (use -- \"\" for an empty text)";
        return std::nullopt;
    }
    line.target = haveIm ? SendCommandLine::Target::Im : SendCommandLine::Target::Chat;
    return line;
}

int RunSendCommand(std::span<const std::u16string_view> args, Module1::WindowService& windows,
                   std::ostream& out, std::ostream& err) {
    std::string usageError;
    const auto line = ParseSendCommandLine(args, usageError);
    if (!line) {
        err << kProgram << ": " << usageError << "\nTry 'chromell-send --help'.\n";
        return 2;
    }
    if (line->action == SendCommandLine::Action::Help) {
        out << SendUsage();
        return 0;
    }
    if (line->action == SendCommandLine::Action::Version) {
        out << kProgram << ' ' << CHROMELL_VERSION << '\n';
        return 0;
    }

    std::u16string text;
    try {
        const auto& c = line->colors;
        text = line->raw
                   ? line->text
                   : VexoFade::FadeThreeColors(c[0], c[1], c[2], line->text,
                                               line->wave ? VexoFade::kTrue : VexoFade::kFalse);
    } catch (const VexoFade::Error& e) {
        err << kProgram << ": " << e.what() << '\n';
        return 1;
    }
    AnswerWatch watch(windows);
    try {
        if (line->target == SendCommandLine::Target::Im) {
            Quillbas::SendToIm(watch, text);
        } else {
            Quillbas::SendToChat(watch, text);
        }
    } catch (const Module1::NotAnswering&) {
        // Noted by the watch.
    } catch (const std::exception& e) {
        err << kProgram << ": the delivery failed: " << e.what() << '\n';
        return 1;
    }
    if (watch.Unanswered()) {
        err << kProgram << ": the messenger did not answer; the delivery was abandoned\n";
        return 1;
    }
    return 0;
}

} // namespace Chromell
