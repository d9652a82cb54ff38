#include "bridge/messenger.h"
#include "tests/bridge/messenger_layouts.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quillbas {
namespace {

using namespace Module1;
using namespace Module1::Layouts;
using ::testing::ElementsAreArray;

const std::string kPressed = "posted 513, posted 514"; // WM_LBUTTONDOWN, WM_LBUTTONUP

// The calls of one SendToIm: each wait pass searches the window, its combo
// box and the edit field; then the entry box's search and text, the button's
// search and the posted click.
std::vector<std::string> Expected(int passes, const ImWindow& im, const std::string& text) {
    std::vector<std::string> calls;
    for (int pass = 0; pass < passes; ++pass) {
        calls.insert(calls.end(),
                     {Call::DoEvents(), Call::FindWindowA("AIM_IMessage", im.window),
                      Call::FindWindowExA(im.window, 0, "_Oscar_PersistantCombo", im.combo),
                      Call::FindWindowExA(im.combo, 0, "Edit", im.comboEdit)});
    }
    calls.insert(calls.end(), {Call::Sleep(1), Call::FindWindowA("AIM_IMessage", im.window),
                               Call::FindWindowExA(im.window, 0, "WndAte32Class", im.view),
                               Call::NextWindow(im.view, im.entry), Call::SetText(im.entry, text),
                               Call::FindWindowA("AIM_IMessage", im.window),
                               Call::FindWindowExA(im.window, 0, "_Oscar_IconBtn", im.send),
                               Call::Post(im.send, kWmLButtonDown), Call::Sleep(100),
                               Call::Post(im.send, kWmLButtonUp), Call::Sleep(1)});
    return calls;
}

// With the window open the wait ends after one pass; with none it makes ten
// and every message goes to window 0. Children of the searched classes under
// another top-level window are not found.
TEST(SendToIm, CallsInOrderWithTheWindowOpenAndWithNone) {
    for (const bool open : {true, false}) {
        WindowTree tree;
        const Hwnd decoy = tree.AddWindow("AIM_Buddylist");
        const Hwnd decoyView = tree.AddWindow("WndAte32Class", decoy);
        const Hwnd decoyButton = tree.AddWindow("_Oscar_IconBtn", decoy);
        const ImWindow im = open ? AddImWindow(tree) : ImWindow{};
        SendToIm(tree, u"hi there");
        EXPECT_THAT(tree.Calls(), ElementsAreArray(Expected(open ? 1 : 10, im, "hi there")));
        EXPECT_EQ(Received(tree, decoyView) + Received(tree, decoyButton), "");
        if (open) {
            EXPECT_EQ(tree.TextOf(im.entry), "hi there");
            EXPECT_EQ(Received(tree, im.send), kPressed);
            EXPECT_EQ(tree.DeliveriesTo(im.send)[1].at - tree.DeliveriesTo(im.send)[0].at, 100);
            for (const Hwnd other : {im.window, im.combo, im.comboEdit, im.view, im.other}) {
                EXPECT_EQ(Received(tree, other), "") << other;
            }
        }
    }
}

// Each search takes the topmost IM window anew: the older window, raised
// during the pause after the wait or once the text is in, gets the rest.
TEST(SendToIm, EachSearchTakesTheTopmostWindowAnew) {
    for (const bool early : {true, false}) {
        WindowTree tree;
        const ImWindow older = AddImWindow(tree);
        const ImWindow newer = AddImWindow(tree); // made last, so on top
        const std::string raiseAt = early ? Call::Sleep(1) : Call::SetText(newer.entry, "x");
        tree.SetCallHook([&](const std::string& call) {
            if (call == raiseAt) {
                tree.RaiseToTop(older.window);
            }
        });
        SendToIm(tree, u"x");
        EXPECT_EQ(tree.TextOf(older.entry) + tree.TextOf(newer.entry), early ? "xdraft" : "draftx");
        EXPECT_EQ(Received(tree, older.send) + Received(tree, newer.send), kPressed);
        EXPECT_EQ(Received(tree, older.send), kPressed);
    }
}

// Odd layouts, and failing steps: a failing step is passed over and the
// next one runs.
TEST(SendToIm, OddLayoutsAndFailingSteps) {
    const auto failing = [](std::function<bool(const std::string&)> fails) {
        return [fails](WindowTree& tree, const ImWindow&) {
            tree.SetCallHook([fails](const std::string& call) {
                if (fails(call)) {
                    throw std::runtime_error(call);
                }
            });
        };
    };
    const auto starts = [](std::string prefix) {
        return [prefix](const std::string& call) { return call.starts_with(prefix); };
    };
    struct Case {
        const char* name;
        std::function<void(WindowTree&, const ImWindow&)> arrange;
        std::u16string text;
        long passes; // of the wait
        std::string entryText;
        std::string sendReceived;
    };
    const Case cases[] = {
        {"combo box without its edit field: ten passes",
         [](WindowTree& tree, const ImWindow& im) { tree.RemoveWindow(im.comboEdit); }, u"x", 10,
         "x", kPressed},
        {"empty text: nothing is set", [](WindowTree&, const ImWindow&) {}, u"", 1, "draft",
         kPressed},
        {"first view last of its siblings: the text goes to window 0",
         [](WindowTree& tree, const ImWindow& im) {
             tree.RemoveWindow(im.entry);
             tree.RemoveWindow(im.other);
             tree.RaiseToTop(im.send);
         },
         u"x", 1, "", kPressed},
        {"event pump", failing(starts("DoEvents")), u"x", 1, "x", kPressed},
        {"event pump, not a std::exception",
         [](WindowTree& tree, const ImWindow&) {
             tree.SetCallHook([](const std::string& call) {
                 if (call == Call::DoEvents()) {
                     throw 42;
                 }
             });
         },
         u"x", 1, "x", kPressed},
        {"every search", failing(starts("Find")), u"x", 10, "draft", ""},
        // The entry box's search goes on with the window the wait found.
        {"the second IM window search only", failing([n = 0](const std::string& call) mutable {
             return call.starts_with("FindWindowA") && ++n == 2;
         }),
         u"x", 1, "x", kPressed},
        {"setting the text", failing(starts("SendMessageA")), u"x", 1, "draft", kPressed},
        {"the pause inside the click", failing(starts("Sleep(100)")), u"x", 1, "x", "posted 513"},
        // A messenger that did not take the text must not send its old draft.
        {"a messenger that does not answer", [](WindowTree& tree, const ImWindow&) { tree.Hang(); },
         u"x", 1, "draft", ""},
    };
    for (const Case& test : cases) {
        WindowTree tree;
        const ImWindow im = AddImWindow(tree);
        test.arrange(tree, im);
        EXPECT_NO_THROW(SendToIm(tree, test.text)) << test.name;
        const auto& calls = tree.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), Call::DoEvents()), test.passes)
            << test.name;
        if (!test.entryText.empty()) { // "": no entry box left
            EXPECT_EQ(tree.TextOf(im.entry), test.entryText) << test.name;
        }
        EXPECT_EQ(tree.TextOf(im.view), "conversation") << test.name;
        EXPECT_EQ(Received(tree, im.send), test.sendReceived) << test.name;
        EXPECT_EQ(calls.back(), Call::Sleep(1)) << test.name; // the closing pause runs
    }
}

} // namespace
} // namespace Quillbas
