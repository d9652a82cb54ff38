#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "engine/base/error.h"
#include "tests/bridge/messenger_layouts.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <regex>
#include <stdexcept>

namespace Quillbas {
namespace {

using namespace Module1;
using Windows = std::map<std::string, Hwnd>;
using Arrange = std::function<void(WindowTree&, Windows&)>;

const std::string kImText = "im.entry sent WM_SETTEXT";
const std::string kImClick = "im.send posted WM_LBUTTONDOWN, im.send posted WM_LBUTTONUP";
const std::string kChatClick = "chat.send sent WM_LBUTTONDOWN, chat.send sent WM_LBUTTONUP";

// The decoys, then (unless `messenger` is false) the messenger's windows.
Windows Desktop(WindowTree& tree, bool messenger = true) {
    Windows windows = tree.AddWindows(MessengerLayouts::kDecoys);
    if (messenger) {
        windows.merge(tree.AddWindows(MessengerLayouts::kMessenger));
    }
    return windows;
}

std::string Log(const WindowTree& tree) {
    std::string log;
    for (const std::string& call : tree.Calls()) {
        log += call + "; ";
    }
    return log;
}

// Throws from the calls `fails` picks.
Arrange Failing(std::function<bool(const std::string&)> fails) {
    return [fails](WindowTree& tree, Windows&) {
        tree.SetCallHook([fails](const std::string& call) {
            if (fails(call)) {
                throw std::runtime_error(call);
            }
        });
    };
}

std::function<bool(const std::string&)> Starts(std::string prefix) {
    return [prefix](const std::string& call) { return call.starts_with(prefix); };
}

// Whole milliseconds, ties to even, over the whole signed 32-bit range; out
// of it the overflow error, and no pause.
TEST(PauseSeconds, RoundsToWholeMillisecondsOrRaisesOverflowWithoutSleeping) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::string> cases[] = {
        {0.1, "Sleep(100); "},
        {0.0005, "Sleep(0); "},
        {0.0015, "Sleep(2); "},
        {0.0025, "Sleep(2); "},
        {-0.0015, "Sleep(-2); "},
        {2147483.6474, "Sleep(2147483647); "},
        {-2147483.6485, "Sleep(-2147483648); "}, // -2147483648.5 rounds to even
        {2147483.6475, "overflow"},              // 2147483647.5 rounds to even, one past
        {-2147483.649, "overflow"},
        {kInf, "overflow"},
        {-kInf, "overflow"},
        {std::numeric_limits<double>::quiet_NaN(), "overflow"},
    };
    for (const auto& [seconds, expected] : cases) {
        WindowTree tree;
        std::string got;
        try {
            PauseSeconds(tree, seconds);
        } catch (const VexoFade::Error& e) {
            got = e.number() == VexoFade::ErrorNumber::Overflow ? "overflow" : "another error";
        }
        EXPECT_EQ(Log(tree) + got, expected) << seconds;
    }
}

// With the window open the wait ends after one pass; with none it makes ten
// and every search and message goes to window 0.
TEST(SendToIm, CallsInOrderWithTheWindowOpenAndWithNone) {
    const std::string wait = "DoEvents(); FindWindowA(AIM_IMessage) -> im; "
                             "FindWindowExA(im, 0, _Oscar_PersistantCombo) -> im.combo; "
                             "FindWindowExA(im.combo, 0, Edit) -> im.combo.edit; ";
    const std::string rest = "Sleep(1); FindWindowA(AIM_IMessage) -> im; "
                             "FindWindowExA(im, 0, WndAte32Class) -> im.view; "
                             "GetWindow(im.view, 2) -> im.entry; "
                             "SendMessageA(im.entry, WM_SETTEXT, 0, 'hi there'); "
                             "FindWindowA(AIM_IMessage) -> im; "
                             "FindWindowExA(im, 0, _Oscar_IconBtn) -> im.send; "
                             "PostMessageA(im.send, WM_LBUTTONDOWN, 0, 0); Sleep(100); "
                             "PostMessageA(im.send, WM_LBUTTONUP, 0, 0); Sleep(1); ";
    std::string none = rest;
    for (int pass = 0; pass < 10; ++pass) {
        none = wait + none;
    }
    for (const bool open : {true, false}) {
        WindowTree tree;
        const Windows windows = Desktop(tree, open);
        SendToIm(tree, u"hi there");
        EXPECT_EQ(Log(tree), open ? wait + rest
                                  : std::regex_replace(none, std::regex("\\bim\\b[.a-z]*"), "0"));
        EXPECT_EQ(tree.Received(), open ? kImText + ", " + kImClick : "");
        EXPECT_EQ(tree.TextOf(windows.at(open ? "im.entry" : "frame.view")),
                  open ? "hi there" : "frame.view");
    }
}

// Each search takes the topmost IM window anew: the older window, raised
// during the pause after the wait or once the text is in, gets the rest.
TEST(SendToIm, EachSearchTakesTheTopmostWindowAnew) {
    for (const bool early : {true, false}) {
        WindowTree tree;
        const Windows older = Desktop(tree);
        const Windows newer = Desktop(tree); // made last, so on top
        tree.SetCallHook([&, raised = false](const std::string& call) mutable {
            if (!raised && call.starts_with(early ? "Sleep(1)" : "SendMessageA")) {
                raised = true;
                tree.RaiseToTop(older.at("im"));
            }
        });
        SendToIm(tree, u"x");
        EXPECT_EQ(tree.TextOf(older.at("im.entry")) + "|" + tree.TextOf(newer.at("im.entry")),
                  early ? "x|im.entry" : "im.entry|x");
        EXPECT_EQ(tree.DeliveriesTo(older.at("im.send")).size(), 2u);
        EXPECT_EQ(tree.DeliveriesTo(newer.at("im.send")).size(), 0u);
    }
}

// Odd layouts, and failing steps: a failing step is passed over and the
// next one runs.
TEST(SendToIm, OddLayoutsAndFailingSteps) {
    const auto remove = [](std::vector<std::string> names) {
        return [names](WindowTree& tree, Windows& windows) {
            for (const auto& name : names) {
                tree.RemoveWindow(windows.at(name));
            }
        };
    };
    const struct {
        const char* name;
        Arrange arrange;
        std::u16string text;
        long passes; // of the wait
        std::string received;
    } cases[] = {
        {"combo box without its edit field: ten passes", remove({"im.combo.edit"}), u"x", 10,
         kImText + ", " + kImClick},
        {"empty text: nothing is set", remove({}), u"", 1, kImClick},
        {"first view last of its siblings: the text goes to window 0",
         [](WindowTree& tree, Windows& windows) {
             tree.RemoveWindow(windows.at("im.entry"));
             tree.RemoveWindow(windows.at("im.other"));
             tree.RaiseToTop(windows.at("im.send"));
         },
         u"x", 1, kImClick},
        {"event pump", Failing(Starts("DoEvents")), u"x", 1, kImText + ", " + kImClick},
        {"event pump, not a std::exception",
         [](WindowTree& tree, Windows&) {
             tree.SetCallHook([](const std::string& call) {
                 if (call == "DoEvents()") {
                     throw 42;
                 }
             });
         },
         u"x", 1, kImText + ", " + kImClick},
        {"every search", Failing(Starts("Find")), u"x", 10, ""},
        // The entry box's search goes on with the window the wait found.
        {"the second IM window search only", Failing([n = 0](const std::string& call) mutable {
             return call.starts_with("FindWindowA") && ++n == 2;
         }),
         u"x", 1, kImText + ", " + kImClick},
        {"setting the text", Failing(Starts("SendMessageA")), u"x", 1, kImClick},
        {"the pause inside the click", Failing(Starts("Sleep(100)")), u"x", 1,
         kImText + ", im.send posted WM_LBUTTONDOWN"},
        // A messenger that did not take the text must not send its old draft.
        {"a messenger that does not answer", [](WindowTree& tree, Windows&) { tree.Hang(); }, u"x",
         1, ""},
    };
    for (const auto& test : cases) {
        WindowTree tree;
        Windows windows = Desktop(tree);
        test.arrange(tree, windows);
        EXPECT_NO_THROW(SendToIm(tree, test.text)) << test.name;
        const auto& calls = tree.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "DoEvents()"), test.passes) << test.name;
        EXPECT_EQ(tree.Received(), test.received) << test.name;
        EXPECT_EQ(tree.TextOf(windows.at("im.view")), "im.view") << test.name;
        EXPECT_EQ(calls.back(), "Sleep(1)") << test.name; // the closing pause runs
    }
}

TEST(SendToChat, SetsTheTextThenSendsPressAndReleaseToTheButtonAfterTheEntryBox) {
    WindowTree tree;
    Desktop(tree);
    SendToChat(tree, u"hello room");
    EXPECT_EQ(Log(tree), "FindWindowA(AIM_ChatWnd) -> chat; "
                         "FindWindowExA(chat, 0, WndAte32Class) -> chat.view; "
                         "FindWindowExA(chat, chat.view, WndAte32Class) -> chat.entry; "
                         "SendMessageA(chat.entry, WM_SETTEXT, 0, 'hello room'); "
                         "FindWindowExA(chat, chat.entry, _Oscar_IconBtn) -> chat.send; "
                         "SendMessageA(chat.send, WM_LBUTTONDOWN, 0, 0); "
                         "SendMessageA(chat.send, WM_LBUTTONUP, 0, 0); ");
}

// An empty text empties the entry box. With one text view the entry box is
// 0; the button search then starts at the first child and finds the
// formatting button. A messenger that did not take the text must not send its
// old draft, and the caller learns of it.
TEST(SendToChat, EmptyTextOneTextViewAndAMessengerThatDoesNotAnswer) {
    const struct {
        const char* name;
        Arrange arrange;
        std::u16string text;
        std::string received, entryText;
        bool raises = false;
    } cases[] = {
        {"empty text", [](WindowTree&, Windows&) {}, u"",
         "chat.entry sent WM_SETTEXT, " + kChatClick, ""},
        {"one text view",
         [](WindowTree& tree, Windows& windows) {
             tree.RemoveWindow(windows.at("chat.entry"));
             windows.erase("chat.entry");
         },
         u"x", "chat.format sent WM_LBUTTONDOWN, chat.format sent WM_LBUTTONUP", ""},
        {"hung", [](WindowTree& tree, Windows&) { tree.Hang(); }, u"x", "", "chat.entry", true},
    };
    for (const auto& test : cases) {
        WindowTree tree;
        Windows windows = Desktop(tree);
        test.arrange(tree, windows);
        if (test.raises) {
            EXPECT_THROW(SendToChat(tree, test.text), NotAnswering) << test.name;
        } else {
            EXPECT_NO_THROW(SendToChat(tree, test.text)) << test.name;
        }
        EXPECT_EQ(tree.Received(), test.received) << test.name;
        EXPECT_EQ(tree.TextOf(windows.at("chat.view")), "chat.view") << test.name;
        if (windows.contains("chat.entry")) {
            EXPECT_EQ(tree.TextOf(windows.at("chat.entry")), test.entryText) << test.name;
        }
    }
}

} // namespace
} // namespace Quillbas
