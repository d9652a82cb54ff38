#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quillbas {
namespace {

using Module1::Hwnd;
using Module1::kWmLButtonDown;
using Module1::kWmLButtonUp;
using Module1::WindowCall;
using Module1::WindowTree;
namespace Expect = Module1::Expect;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// An IM window laid out as the messenger does: the screen-name combo box with
// its edit field, the conversation view, the entry box, the send button and
// a further button.
struct ImWindow {
    explicit ImWindow(WindowTree& tree) {
        window = tree.AddWindow("AIM_IMessage");
        combo = tree.AddWindow("_Oscar_PersistantCombo", window);
        comboEdit = tree.AddWindow("Edit", combo);
        view = tree.AddWindow("WndAte32Class", window, "conversation");
        entry = tree.AddWindow("WndAte32Class", window, "draft");
        send = tree.AddWindow("_Oscar_IconBtn", window);
        other = tree.AddWindow("_Oscar_IconBtn", window);
    }
    Hwnd window, combo, comboEdit, view, entry, send, other;
};

std::vector<WindowCall> WaitPass(Hwnd window, Hwnd combo, Hwnd edit) {
    return {Expect::DoEvents(), Expect::FindWindowA("AIM_IMessage", window),
            Expect::FindWindowExA(window, 0, "_Oscar_PersistantCombo", combo),
            Expect::FindWindowExA(combo, 0, "Edit", edit)};
}

bool WasPressed(const WindowTree& tree, Hwnd button) {
    const auto& got = tree.DeliveriesTo(button);
    return got.size() == 2 && got[0].message == kWmLButtonDown && got[1].message == kWmLButtonUp;
}

TEST(SendToIm, WithTheWindowOpenMakesOneWaitPassThenSetsTextAndClicks) {
    WindowTree tree;
    const ImWindow im(tree);
    SendToIm(tree, u"hi there");

    std::vector<WindowCall> expected = WaitPass(im.window, im.combo, im.comboEdit);
    expected.insert(expected.end(),
                    {Expect::Sleep(1), Expect::FindWindowA("AIM_IMessage", im.window),
                     Expect::FindWindowExA(im.window, 0, "WndAte32Class", im.view),
                     Expect::GetNextWindow(im.view, im.entry),
                     Expect::SetText(im.entry, "hi there"),
                     Expect::FindWindowA("AIM_IMessage", im.window),
                     Expect::FindWindowExA(im.window, 0, "_Oscar_IconBtn", im.send),
                     Expect::Post(im.send, kWmLButtonDown), Expect::Sleep(100),
                     Expect::Post(im.send, kWmLButtonUp), Expect::Sleep(1)});
    EXPECT_THAT(tree.Calls(), ElementsAreArray(expected));

    EXPECT_EQ(tree.TextOf(im.entry), "hi there");
    EXPECT_EQ(tree.TextOf(im.view), "conversation");
    ASSERT_TRUE(WasPressed(tree, im.send));
    const auto& press = tree.DeliveriesTo(im.send);
    EXPECT_TRUE(press[0].posted && press[1].posted);
    EXPECT_EQ(press[1].at - press[0].at, 100);
    for (const Hwnd untouched : {im.window, im.combo, im.comboEdit, im.view, im.other}) {
        EXPECT_THAT(tree.DeliveriesTo(untouched), IsEmpty()) << untouched;
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

    std::vector<WindowCall> expected;
    for (int pass = 0; pass < 10; ++pass) {
        const auto calls = WaitPass(0, 0, 0);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    expected.insert(expected.end(),
                    {Expect::Sleep(1), Expect::FindWindowA("AIM_IMessage", 0),
                     Expect::FindWindowExA(0, 0, "WndAte32Class", 0), Expect::GetNextWindow(0, 0),
                     Expect::SetText(0, "hello"), Expect::FindWindowA("AIM_IMessage", 0),
                     Expect::FindWindowExA(0, 0, "_Oscar_IconBtn", 0),
                     Expect::Post(0, kWmLButtonDown), Expect::Sleep(100),
                     Expect::Post(0, kWmLButtonUp), Expect::Sleep(1)});
    EXPECT_THAT(tree.Calls(), ElementsAreArray(expected));
    for (const Hwnd untouched : {decoy, decoyView, decoyButton}) {
        EXPECT_THAT(tree.DeliveriesTo(untouched), IsEmpty());
    }
}

TEST(SendToIm, AComboWithoutEditFieldRunsTheFullWaitAndStillDelivers) {
    WindowTree tree;
    const ImWindow im(tree);
    tree.RemoveWindow(im.comboEdit);
    SendToIm(tree, u"x");

    EXPECT_EQ(std::count(tree.Calls().begin(), tree.Calls().end(), Expect::DoEvents()), 10);
    EXPECT_EQ(tree.Calls().size(), 10 * 4 + 11u);
    EXPECT_EQ(tree.TextOf(im.entry), "x");
    EXPECT_TRUE(WasPressed(tree, im.send));
}

TEST(SendToIm, EmptyTextSetsNothingButStillClicks) {
    WindowTree tree;
    const ImWindow im(tree);
    SendToIm(tree, u"");
    for (const auto& call : tree.Calls()) {
        EXPECT_NE(call.kind, WindowCall::Kind::SendMessageA) << call;
    }
    EXPECT_EQ(tree.TextOf(im.entry), "draft");
    EXPECT_TRUE(WasPressed(tree, im.send));
}

TEST(SendToIm, TheEntryBoxIsWhateverFollowsTheFirstTextViewIfAnything) {
    WindowTree tree;
    const Hwnd window = tree.AddWindow("AIM_IMessage");
    const Hwnd view = tree.AddWindow("wndate32class", window); // any letter case
    const Hwnd entry = tree.AddWindow("RichEdit20A", window);
    const Hwnd send = tree.AddWindow("_Oscar_IconBtn", window);
    SendToIm(tree, u"x");
    EXPECT_EQ(tree.TextOf(entry), "x");
    EXPECT_THAT(tree.DeliveriesTo(view), IsEmpty());

    // With the first text view last among its siblings the text goes to
    // window 0, and the button is still pressed.
    tree.RemoveWindow(entry);
    tree.RemoveWindow(send);
    const Hwnd firstSend = tree.AddWindow("_Oscar_IconBtn", window);
    tree.RaiseToTop(firstSend);
    SendToIm(tree, u"lost");
    EXPECT_THAT(tree.Calls(), ::testing::IsSupersetOf(
                                  {Expect::GetNextWindow(view, 0), Expect::SetText(0, "lost")}));
    EXPECT_THAT(tree.DeliveriesTo(view), IsEmpty());
    EXPECT_TRUE(WasPressed(tree, firstSend));
}

TEST(SendToIm, EachSearchTakesTheTopmostWindowAnew) {
    WindowTree tree;
    const ImWindow older(tree);
    const ImWindow newer(tree); // made last, so on top
    // Once the text is in, the older window comes to the front: the button
    // search that follows finds the older window's button.
    tree.SetCallHook([&](const WindowCall& call) {
        if (call.kind == WindowCall::Kind::SendMessageA) {
            tree.RaiseToTop(older.window);
        }
    });
    SendToIm(tree, u"x");
    EXPECT_EQ(tree.TextOf(newer.entry), "x");
    EXPECT_EQ(tree.TextOf(older.entry), "draft");
    EXPECT_TRUE(WasPressed(tree, older.send));
    EXPECT_THAT(tree.DeliveriesTo(newer.send), IsEmpty());
}

TEST(SendToIm, AFailingStepIsPassedOverAndTheNextOneRuns) {
    struct Case {
        const char* name;
        bool (*fails)(const WindowCall&);
        std::size_t pressDeliveries; // what reaches the send button
        const char* entryText;
    };
    const Case cases[] = {
        {"event pump", [](const WindowCall& c) { return c.kind == WindowCall::Kind::DoEvents; }, 2,
         "x"},
        {"every search",
         [](const WindowCall& c) {
             return c.kind == WindowCall::Kind::FindWindowA ||
                    c.kind == WindowCall::Kind::FindWindowExA;
         },
         0, "draft"},
        {"setting the text",
         [](const WindowCall& c) { return c.kind == WindowCall::Kind::SendMessageA; }, 2, "x"},
        {"the pause inside the click", [](const WindowCall& c) { return c.number == 100; }, 1, "x"},
    };
    for (const Case& test : cases) {
        WindowTree tree;
        const ImWindow im(tree);
        tree.SetCallHook([&](const WindowCall& call) {
            if (test.fails(call)) {
                throw std::runtime_error(test.name);
            }
        });
        EXPECT_NO_THROW(SendToIm(tree, u"x")) << test.name;
        EXPECT_EQ(tree.DeliveriesTo(im.send).size(), test.pressDeliveries) << test.name;
        EXPECT_EQ(tree.TextOf(im.entry), test.entryText) << test.name;
        // The closing pause always runs.
        EXPECT_EQ(tree.Calls().back(), Expect::Sleep(1)) << test.name;
    }
}

} // namespace
} // namespace Quillbas
