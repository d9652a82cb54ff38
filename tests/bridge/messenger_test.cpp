#include "base/error.h"
#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "tests/bridge/messenger_layouts.h"

#include <exception>
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
const std::string kImTextAndClick = kImText + ", " + kImClick;
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

// Throws `error` from the calls `fails` picks.
Arrange
Failing(const std::function<bool(const std::string&)>& fails,
        const std::exception_ptr& error = std::make_exception_ptr(std::runtime_error("fails"))) {
    return [=](WindowTree& tree, Windows&) {
        tree.SetCallHook([=](const std::string& call) {
            if (fails(call)) {
                std::rethrow_exception(error);
            }
        });
    };
}

std::function<bool(const std::string&)> Starts(const std::string& prefix) {
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
        none.insert(0, wait);
    }
    for (const bool open : {true, false}) {
        WindowTree tree;
        Desktop(tree, open);
        SendToIm(tree, u"hi there");
        EXPECT_EQ(Log(tree), open ? wait + rest
                                  : std::regex_replace(none, std::regex("\\bim\\b[.a-z]*"), "0"));
        EXPECT_EQ(tree.Received(), open ? kImTextAndClick : "");
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
    }
}

// Odd layouts and failing steps. SendToIm passes over a failing step and runs
// the next; SendToChat lets the failure go up.
TEST(Messenger, OddLayoutsAndFailingSteps) {
    const auto remove = [](const char* name) {
        return [name](WindowTree& tree, Windows& w) { tree.RemoveWindow(w.at(name)); };
    };
    const Arrange hang = [](WindowTree& tree, Windows&) { tree.Hang(); };
    const Arrange asMade = [](WindowTree&, Windows&) {};
    const struct {
        const char* name;
        bool chat;
        Arrange arrange;
        std::u16string text;
        long passes; // of the wait
        std::string received;
        bool raises = false;
    } cases[] = {
        {"combo box without its edit field: ten passes", false, remove("im.combo.edit"), u"x", 10,
         kImTextAndClick},
        {"IM, empty text: nothing is set", false, asMade, u"", 1, kImClick},
        {"first view last of its siblings: the text goes to window 0", false,
         [](WindowTree& tree, Windows& w) {
             tree.RemoveWindow(w.at("im.entry"));
             tree.RemoveWindow(w.at("im.other"));
             tree.RaiseToTop(w.at("im.send"));
         },
         u"x", 1, kImClick},
        {"event pump", false, Failing(Starts("DoEvents")), u"x", 1, kImTextAndClick},
        {"event pump, not a std::exception", false,
         Failing(Starts("DoEvents"), std::make_exception_ptr(42)), u"x", 1, kImTextAndClick},
        {"every search", false, Failing(Starts("Find")), u"x", 10, ""},
        // The entry box's search goes on with the window the wait found.
        {"the second IM window search only", false,
         Failing([n = 0](const std::string& call) mutable {
             return call.starts_with("FindWindowA") && ++n == 2;
         }),
         u"x", 1, kImTextAndClick},
        {"setting the text", false, Failing(Starts("SendMessageA")), u"x", 1, kImClick},
        {"the pause inside the click", false, Failing(Starts("Sleep(100)")), u"x", 1,
         kImText + ", im.send posted WM_LBUTTONDOWN"},
        // A messenger that did not take the text must not send its old draft.
        {"IM, a messenger that does not answer", false, hang, u"x", 1, ""},
        {"chat, empty text: the entry box is emptied", true, asMade, u"", 0,
         "chat.entry sent WM_SETTEXT, " + kChatClick},
        // The button search then starts at the first child.
        {"chat with one text view: no entry box", true, remove("chat.entry"), u"x", 0,
         "chat.format sent WM_LBUTTONDOWN, chat.format sent WM_LBUTTONUP"},
        {"chat, a messenger that does not answer", true, hang, u"x", 0, "", true},
    };
    for (const auto& test : cases) {
        WindowTree tree;
        Windows windows = Desktop(tree);
        test.arrange(tree, windows);
        bool raised = false;
        try {
            test.chat ? SendToChat(tree, test.text) : SendToIm(tree, test.text);
        } catch (const NotAnswering&) {
            raised = true;
        }
        EXPECT_EQ(raised, test.raises) << test.name;
        const auto& calls = tree.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "DoEvents()"), test.passes) << test.name;
        EXPECT_EQ(tree.Received(), test.received) << test.name;
        EXPECT_TRUE(test.chat || calls.back() == "Sleep(1)") << test.name; // the closing pause
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

} // namespace
} // namespace Quillbas
