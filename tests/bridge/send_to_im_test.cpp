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

std::vector<std::string> WaitPass(Hwnd window, Hwnd combo, Hwnd edit) {
    return {Call::DoEvents(), Call::FindWindowA("AIM_IMessage", window),
            Call::FindWindowExA(window, 0, "_Oscar_PersistantCombo", combo),
            Call::FindWindowExA(combo, 0, "Edit", edit)};
}

// What follows the wait: the entry box's search and text, the button's
// search and the posted click.
std::vector<std::string> Delivery(Hwnd window, Hwnd view, Hwnd entry, Hwnd send,
                                  const std::string& text) {
    return {Call::Sleep(1),
            Call::FindWindowA("AIM_IMessage", window),
            Call::FindWindowExA(window, 0, "WndAte32Class", view),
            Call::NextWindow(view, entry),
            Call::SetText(entry, text),
            Call::FindWindowA("AIM_IMessage", window),
            Call::FindWindowExA(window, 0, "_Oscar_IconBtn", send),
            Call::Post(send, kWmLButtonDown),
            Call::Sleep(100),
            Call::Post(send, kWmLButtonUp),
            Call::Sleep(1)};
}

TEST(SendToIm, WithTheWindowOpenMakesOneWaitPassThenSetsTextAndClicks) {
    WindowTree tree;
    const ImWindow im = AddImWindow(tree);
    SendToIm(tree, u"hi there");
    std::vector<std::string> expected = WaitPass(im.window, im.combo, im.comboEdit);
    const auto rest = Delivery(im.window, im.view, im.entry, im.send, "hi there");
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_THAT(tree.Calls(), ElementsAreArray(expected));
    EXPECT_EQ(tree.TextOf(im.entry), "hi there");
    EXPECT_EQ(Received(tree, im.send), kPressed);
    EXPECT_EQ(tree.DeliveriesTo(im.send)[1].at - tree.DeliveriesTo(im.send)[0].at, 100);
    for (const Hwnd other : {im.window, im.combo, im.comboEdit, im.view, im.other}) {
        EXPECT_EQ(Received(tree, other), "") << other;
    }
}

TEST(SendToIm, WithNoWindowWaitsTenPassesAndReachesNobody) {
    WindowTree tree;
    // Children of the searched classes under another top-level window are
    // not found: a search with parent 0 looks at top-level windows only.
    const Hwnd decoy = tree.AddWindow("AIM_Buddylist");
    const Hwnd decoyView = tree.AddWindow("WndAte32Class", decoy);
    const Hwnd decoyButton = tree.AddWindow("_Oscar_IconBtn", decoy);
    SendToIm(tree, u"hello");
    std::vector<std::string> expected;
    for (int pass = 0; pass < 10; ++pass) {
        const auto calls = WaitPass(0, 0, 0);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    const auto rest = Delivery(0, 0, 0, 0, "hello");
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_THAT(tree.Calls(), ElementsAreArray(expected));
    EXPECT_EQ(Received(tree, decoyView) + Received(tree, decoyButton), "");
}

TEST(SendToIm, DeliversWhereverTheSearchesAfterTheWaitPoint) {
    struct Case {
        const char* name;
        std::function<void(WindowTree&, const ImWindow&)> arrange;
        std::u16string text;
        long passes; // of the wait
        std::string entryText;
        std::string viewText;
    };
    const Case cases[] = {
        {"combo box without its edit field",
         [](WindowTree& tree, const ImWindow& im) { tree.RemoveWindow(im.comboEdit); }, u"x", 10,
         "x", "conversation"},
        {"empty text: nothing is set", {}, u"", 1, "draft", "conversation"},
        {"first view last of its siblings: the text goes to window 0",
         [](WindowTree& tree, const ImWindow& im) {
             tree.RemoveWindow(im.entry);
             tree.RemoveWindow(im.other);
             tree.RaiseToTop(im.send);
         },
         u"x", 1, "", "conversation"},
    };
    for (const Case& test : cases) {
        WindowTree tree;
        const ImWindow im = AddImWindow(tree);
        if (test.arrange) {
            test.arrange(tree, im);
        }
        SendToIm(tree, test.text);
        const auto& calls = tree.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), Call::DoEvents()), test.passes)
            << test.name;
        EXPECT_EQ(
            std::count_if(calls.begin(), calls.end(),
                          [](const std::string& c) { return c.find("WM_SETTEXT") != c.npos; }),
            test.text.empty() ? 0 : 1)
            << test.name;
        if (!test.entryText.empty()) {
            EXPECT_EQ(tree.TextOf(im.entry), test.entryText) << test.name;
        }
        EXPECT_EQ(tree.TextOf(im.view), test.viewText) << test.name;
        EXPECT_EQ(Received(tree, im.send), kPressed) << test.name;
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

TEST(SendToIm, AFailingStepIsPassedOverAndTheNextOneRuns) {
    const auto failing = [](std::function<bool(const std::string&)> fails) {
        return [fails](WindowTree& tree) {
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
        std::function<void(WindowTree&)> arrange;
        std::string entryText;
        std::string sendReceived;
    };
    const Case cases[] = {
        {"event pump", failing(starts("DoEvents")), "x", kPressed},
        {"event pump, not a std::exception",
         [](WindowTree& tree) {
             tree.SetCallHook([](const std::string& call) {
                 if (call == Call::DoEvents()) {
                     throw 42;
                 }
             });
         },
         "x", kPressed},
        {"every search", failing(starts("Find")), "draft", ""},
        // The entry box's search goes on with the window the wait found.
        {"the second IM window search only", failing([n = 0](const std::string& call) mutable {
             return call.starts_with("FindWindowA") && ++n == 2;
         }),
         "x", kPressed},
        {"setting the text", failing(starts("SendMessageA")), "draft", kPressed},
        {"the pause inside the click", failing(starts("Sleep(100)")), "x", "posted 513"},
        // A messenger that did not take the text must not send its old draft.
        {"a messenger that does not answer", [](WindowTree& tree) { tree.Hang(); }, "draft", ""},
    };
    for (const Case& test : cases) {
        WindowTree tree;
        const ImWindow im = AddImWindow(tree);
        test.arrange(tree);
        EXPECT_NO_THROW(SendToIm(tree, u"x")) << test.name;
        EXPECT_EQ(tree.TextOf(im.entry), test.entryText) << test.name;
        EXPECT_EQ(Received(tree, im.send), test.sendReceived) << test.name;
        EXPECT_EQ(tree.Calls().back(), Call::Sleep(1)) << test.name; // the closing pause runs
    }
}

} // namespace
} // namespace Quillbas
