#include "cli/send_command.h"

#include "base/error.h"
#include "bridge/messenger.h"
#include "cli/color_args.h"
#include "cli/front_matter.h"
#include "cli/options.h"
#include "engine/fader.h"
#include "engine/utf8.h"

#include <algorithm>
#include <array>
#include <exception>
#include <ostream>
#include <vector>

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

namespace SendOptions {
const std::string& ColorsHelp() {
    static const std::string help = "three colours: " + std::string(kColorForms) + "\n(default " +
                                    std::string(kDefaultColors) + ")";
    return help;
}
enum Id { kIm, kChat, kColors, kWave, kRaw, kHelp, kVersion };
const std::array<OptionDef, 7> kTable{{
    {kIm, 0, "im", "", "deliver to the topmost IM window"},
    {kChat, 0, "chat", "", "deliver to the topmost chat window"},
    {kColors, 'c', "colors", "C1,C2,C3", ColorsHelp()},
    {kWave, 'w', "wave", "", "add the superscript/subscript wave"},
    {kRaw, 'r', "raw", "", "deliver TEXT as it is, without fading it"},
    {kHelp, 'h', "help", "", "show this help and exit"},
    {kVersion, 'V', "version", "", "show the version and exit"},
}};
} // namespace SendOptions

} // namespace

std::string SendUsage() {
    return "Usage: chromell-send (--im | --chat) [--colors C1,C2,C3] [--wave] [--raw] [--] "
           "TEXT...\n"
           "Fades TEXT into chat markup, puts it into the entry box of the open AOL Instant\n"
           "Messenger IM window (--im) or chat window (--chat) and presses its send button.\n"
           "TEXT words are joined by single spaces.\n"
           "\n" +
           DescribeOptions(SendOptions::kTable) +
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
    using namespace SendOptions;
    // The arguments as UTF-8, for the shared parser.
    std::vector<std::string> bytes;
    bytes.reserve(args.size());
    for (const std::u16string_view arg : args) {
        bytes.push_back(ToUtf8(arg));
    }
    const std::vector<std::string_view> views(bytes.begin(), bytes.end());
    const auto parsed = ParseOptions(kTable, views, error);
    if (!parsed) {
        return std::nullopt;
    }
    SendCommandLine line;
    line.colors = *ParseColorList(kDefaultColors, error);
    bool haveIm = false;
    bool haveChat = false;
    bool haveColors = false;
    for (const ParsedOption& option : parsed->options) {
        switch (static_cast<Id>(option.id)) {
        case kIm:
            haveIm = true;
            break;
        case kChat:
            haveChat = true;
            break;
        case kColors:
            if (const auto colors = ParseColorList(option.value, error)) {
                line.colors = *colors;
                haveColors = true;
                break;
            }
            error.insert(0, option.name + ": ");
            return std::nullopt;
        case kWave:
            line.wave = true;
            break;
        case kRaw:
            line.raw = true;
            break;
        case kHelp:
            line.action = SendCommandLine::Action::Help;
            break;
        case kVersion:
            line.action = SendCommandLine::Action::Version;
            break;
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
    if (parsed->operands.empty()) {
        error = "no TEXT to deliver (use -- \"\" for an empty text)";
        return std::nullopt;
    }
    // The operands in their UTF-16 form, joined.
    for (const std::string_view word : parsed->operands) {
        if (word.data() != parsed->operands.front().data()) {
            line.text.push_back(u' ');
        }
        const auto k = std::ranges::find(views, word.data(), &std::string_view::data);
        line.text.append(args[static_cast<std::size_t>(k - views.begin())]);
    }
    line.target = haveIm ? SendCommandLine::Target::Im : SendCommandLine::Target::Chat;
    return line;
}

int RunSendCommand(std::span<const std::u16string_view> args, Module1::WindowService& windows,
                   OutputSink& out, std::ostream& err) {
    std::string usageError;
    const auto line = ParseSendCommandLine(args, usageError);
    if (!line) {
        return ReportUsageError(kProgram, err, usageError);
    }
    if (line->action == SendCommandLine::Action::Help) {
        return ShowHelp(kProgram, out, err, SendUsage());
    }
    if (line->action == SendCommandLine::Action::Version) {
        return ShowVersion(kProgram, out, err);
    }

    std::u16string text;
    try {
        const auto& c = line->colors;
        text = line->raw
                   ? line->text
                   : VexoFade::FadeThreeColors(c[0], c[1], c[2], line->text,
                                               line->wave ? VexoFade::kTrue : VexoFade::kFalse);
    } catch (const Chromell::Error& e) {
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
