#include "bridge/testing/window_tree.h"
#include "cli/send_command.h"
#include "tests/bridge/messenger_layouts.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace Chromell {
namespace {

using namespace Module1;

// A desktop with an IM window and a chat window.
struct Desktop {
    int Run(std::vector<std::u16string_view> args) { return RunSendCommand(args, tree, sink, err); }
    std::string Text(const std::string& window) const { return tree.TextOf(windows.at(window)); }

    WindowTree tree;
    std::map<std::string, Hwnd> windows = tree.AddWindows(MessengerLayouts::kMessenger);
    std::ostringstream out;
    StreamOutput sink{out};
    std::ostringstream err;
};

TEST(SendCommand, DeliversToTheChosenWindowFadedOrRawInTheAnsiCodePage) {
    const struct {
        std::vector<std::u16string_view> args;
        const char* window; // the one that gets the text and the click
        std::string text;
    } cases[] = {
        {{u"--im", u"--colors", u"FF0000,00FF00,0000FF", u"a", u"c"},
         "im",
         "<Font Color=#808000>a<Font Color=#00FF00> <Font Color=#0000FF>c"},
        {{u"--wave", u"--colors=#000000,#000000,#0000ff", u"--chat", u"x"},
         "chat",
         "<Font Color=#0000FF><sup>x"},
        {{u"--raw", u"--chat", u"--", u"--wave", u"caf\u00E9", u"\uFF1C\u221E"},
         "chat",
         "--wave caf\xE9 ??"},
        {{u"--chat", u"--raw", u""}, "chat", ""},
        // Bundled short options, an attached value, #RGB and a name.
        {{u"-wcblue,#000,black", u"--im", u"x"}, "im", "<Font Color=#000000><sup>x"},
    };
    for (const auto& test : cases) {
        Desktop desktop;
        EXPECT_EQ(desktop.Run(test.args), 0) << desktop.err.str();
        const std::string w = test.window, other = w == "im" ? "chat" : "im";
        EXPECT_EQ(desktop.Text(w + ".entry"), test.text);
        EXPECT_EQ(desktop.Text(other + ".entry"), other + ".entry");
        EXPECT_EQ(desktop.tree.DeliveriesTo(desktop.windows.at(w + ".send")).size(), 2u);
        EXPECT_EQ(desktop.out.str() + desktop.err.str(), "");
    }
}

TEST(SendCommand, FailuresExitNonZeroWithAMessageAndPressNothing) {
    const std::u16string tooLong(32768, u'a');
    const struct {
        std::vector<std::u16string_view> args;
        int status;
        std::string message;
        bool hung = false;
    } cases[] = {
        {{u"x"}, 2, "say where to deliver"},
        {{u"--im", u"--chat", u"x"}, 2, "not both"},
        {{u"--im"}, 2, "no TEXT"},
        {{u"--im", u"--raw", u"--wave", u"x"}, 2, "--raw"},
        {{u"--chat", u"--raw", u"--colors", u"FF0000,00FF00,0000FF", u"x"}, 2, "--raw"},
        {{u"--im", u"--colors", u"FF0000,\u00C9\u00C9,0000FF", u"x"}, 2, "'\xC3\x89\xC3\x89'"},
        {{u"--im", u"x", u"--colors"}, 2, "needs a value"},
        {{u"--im", u"--bogus", u"x"}, 2, "unknown option '--bogus'"},
        {{u"--chat", tooLong}, 1, "32,768 UTF-16 units"},
        {{u"--im", u"x"}, 1, "the messenger did not answer", true},
        {{u"--chat", u"x"}, 1, "the messenger did not answer", true},
    };
    for (const auto& test : cases) {
        Desktop desktop;
        if (test.hung) {
            desktop.tree.Hang();
        }
        EXPECT_EQ(desktop.Run(test.args), test.status) << desktop.err.str();
        EXPECT_EQ(desktop.err.str().rfind("chromell-send: ", 0), 0u) << desktop.err.str();
        EXPECT_NE(desktop.err.str().find(test.message), std::string::npos) << desktop.err.str();
        EXPECT_EQ(desktop.out.str(), "");
        EXPECT_EQ(desktop.tree.Received(), "");
    }
}

// Help and version that cannot be written fail the run, and say why.
TEST(SendCommand, HelpOrVersionThatCannotBeWrittenFails) {
    struct Full final : OutputSink {
        bool Write(std::string_view, std::string& error) override {
            error = "No space left on device";
            return false;
        }
    } full;
    for (const std::u16string_view arg : {u"--help", u"--version"}) {
        Desktop desktop;
        const std::vector<std::u16string_view> args{arg};
        EXPECT_EQ(RunSendCommand(args, desktop.tree, full, desktop.err), 1);
        EXPECT_EQ(desktop.err.str(),
                  "chromell-send: could not write the output: No space left on device\n");
    }
}

// Taken as it is, a text too long to fade goes through whole.
TEST(SendCommand, TheLongestTextsGoThroughWhole) {
    Desktop desktop;
    EXPECT_EQ(desktop.Run({u"--chat", std::u16string(32767, u'a')}), 0);
    EXPECT_EQ(desktop.Text("chat.entry").size(), 32767u * 21);
    EXPECT_EQ(desktop.Run({u"--chat", u"--raw", std::u16string(32768, u'a')}), 0);
    EXPECT_EQ(desktop.Text("chat.entry").size(), 32768u);
}

} // namespace
} // namespace Chromell
