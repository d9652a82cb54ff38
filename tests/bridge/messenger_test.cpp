#include "base/error.h"
#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "tests/bridge/messenger_layouts.h"

#include <exception>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace Quillbas {
namespace {

using namespace Module1;
using Windows = std::map<std::string, Hwnd>;
using Arrange = std::function<void(WindowTree&, Windows&)>;
using Sleeps = std::vector<std::int32_t>;

// The decoys, then (unless `messenger` is false) the messenger's windows.
Windows Desktop(WindowTree& tree, bool messenger = true) {
    Windows windows = tree.AddWindows(MessengerLayouts::kDecoys);
    if (messenger) {
        windows.merge(tree.AddWindows(MessengerLayouts::kMessenger));
    }
    return windows;
}

// What the messenger's windows show now, by name: a text that is not the one
// a window started with ("im.entry='hi'"), the clicks a button got
// ("im.send clicked"), a button left pressed ("im.send held down").
std::string Seen(const WindowTree& tree, const Windows& windows) {
    std::string seen;
    const auto add = [&seen](const std::string& what) {
        seen += (seen.empty() ? "" : ", ") + what;
    };
    for (const auto& [name, window] : windows) {
        if (tree.TextOf(window) != name) {
            add(name + "='" + tree.TextOf(window) + "'");
        }
        for (int click = 0; click < tree.Clicks(window); ++click) {
            add(name + " clicked");
        }
        if (tree.HeldDown(window)) {
            add(name + " held down");
        }
    }
    return seen;
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
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, Sleeps> cases[] = {
        {0.1, {100}},
        {0.0005, {0}},
        {0.0015, {2}},
        {0.0025, {2}},
        {-0.0015, {-2}},
        {2147483.6474, {2147483647}},
        {-2147483.6485, {-2147483647 - 1}}, // -2147483648.5 rounds to even
        {2147483.6475, {}},                 // 2147483647.5 rounds to even, one past
        {-2147483.649, {}},
        {kInf, {}},
        {-kInf, {}},
        {kNaN, {}},
    };
    for (const auto& [seconds, slept] : cases) {
        WindowTree tree;
        bool overflow = false;
        try {
            PauseSeconds(tree, seconds);
        } catch (const Chromell::Error& e) {
            overflow = e.number() == Chromell::ErrorNumber::Overflow;
        }
        EXPECT_EQ(tree.Sleeps(), slept) << seconds;
        EXPECT_EQ(overflow, slept.empty()) << seconds;
    }
}

// With the window open the text is in its entry box and the send button
// clicked after one turn of the event loop, in about 0.1 s; with none, the
// wait gives the window ten turns to appear and nothing is received.
TEST(SendToIm, PutsTheTextInAndClicksSendOrWaitsTenTurnsForNone) {
    for (const bool open : {true, false}) {
        WindowTree tree;
        const Windows windows = Desktop(tree, open);
        SendToIm(tree, u"hi there");
        EXPECT_EQ(Seen(tree, windows), open ? "im.entry='hi there', im.send clicked" : "");
        EXPECT_EQ(tree.Received().empty(), !open);
        EXPECT_EQ(tree.EventPumps(), open ? 1 : 10);
        EXPECT_EQ(tree.Sleeps(), (Sleeps{1, 100, 1}));
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
        EXPECT_EQ(Seen(tree, older), early ? "im.entry='x', im.send clicked" : "im.send clicked");
        EXPECT_EQ(Seen(tree, newer), early ? "" : "im.entry='x'");
    }
}

// Odd layouts and failing steps. SendToIm passes over a failing step and runs
// the next; SendToChat lets the failure go up.
TEST(Messenger, OddLayoutsAndFailingSteps) {
    const auto remove = [](const char* name) {
        return [name](WindowTree& tree, Windows& w) {
            tree.RemoveWindow(w.at(name));
            w.erase(name);
        };
    };
    const Arrange hang = [](WindowTree& tree, Windows&) { tree.Hang(); };
    const Arrange asMade = [](WindowTree&, Windows&) {};
    const std::string imSent = "im.entry='x', im.send clicked";
    const struct {
        const char* name;
        bool chat;
        Arrange arrange;
        std::u16string text;
        int turns; // of the event loop, while the IM path waits
        std::string seen;
        bool raises = false;
    } cases[] = {
        {"combo box without its edit field: ten turns", false, remove("im.combo.edit"), u"x", 10,
         imSent},
        {"IM, empty text: nothing is set", false, asMade, u"", 1, "im.send clicked"},
        {"first view last of its siblings: the text goes to window 0", false,
         [](WindowTree& tree, Windows& w) {
             tree.RemoveWindow(w.at("im.entry"));
             tree.RemoveWindow(w.at("im.other"));
             w.erase("im.entry");
             w.erase("im.other");
             tree.RaiseToTop(w.at("im.send"));
         },
         u"x", 1, "im.send clicked"},
        {"event pump", false, Failing(Starts("DoEvents")), u"x", 1, imSent},
        {"event pump, not a std::exception", false,
         Failing(Starts("DoEvents"), std::make_exception_ptr(42)), u"x", 1, imSent},
        {"every search", false, Failing(Starts("Find")), u"x", 10, ""},
        // The entry box's search goes on with the window the wait found.
        {"the second IM window search only", false,
         Failing([n = 0](const std::string& call) mutable {
             return call.starts_with("FindWindowA") && ++n == 2;
         }),
         u"x", 1, imSent},
        {"setting the text", false, Failing(Starts("SendMessageA")), u"x", 1, "im.send clicked"},
        {"the pause inside the click", false, Failing(Starts("Sleep(100)")), u"x", 1,
         "im.entry='x', im.send held down"},
        // A messenger that did not take the text must not send its old draft.
        {"IM, a messenger that does not answer", false, hang, u"x", 1, ""},
        {"chat, empty text: the entry box is emptied", true, asMade, u"", 0,
         "chat.entry='', chat.send clicked"},
        // The button search then starts at the first child.
        {"chat with one text view: no entry box", true, remove("chat.entry"), u"x", 0,
         "chat.format clicked"},
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
        EXPECT_EQ(tree.EventPumps(), test.turns) << test.name;
        EXPECT_EQ(Seen(tree, windows), test.seen) << test.name;
        // The IM path ends on its closing pause; the chat path never pauses.
        EXPECT_EQ(tree.Sleeps().empty() ? 0 : tree.Sleeps().back(), test.chat ? 0 : 1) << test.name;
    }
}

// The text goes into the entry box (the second text view), and the button
// after it is clicked; the chat path neither pauses nor runs the event loop.
TEST(SendToChat, PutsTheTextInTheEntryBoxAndClicksTheButtonAfterIt) {
    WindowTree tree;
    const Windows windows = Desktop(tree);
    SendToChat(tree, u"hello room");
    EXPECT_EQ(Seen(tree, windows), "chat.entry='hello room', chat.send clicked");
    EXPECT_TRUE(tree.Sleeps().empty());
    EXPECT_EQ(tree.EventPumps(), 0);
}

} // namespace
} // namespace Quillbas
