#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"

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
using ::testing::IsEmpty;

// A chat window: the room's view, a formatting button, the entry box, a label,
// the send button and a further button.
struct ChatWindow {
    explicit ChatWindow(WindowTree& tree) {
        window = tree.AddWindow("AIM_ChatWnd");
        view = tree.AddWindow("WndAte32Class", window, "room");
        format = tree.AddWindow("_Oscar_IconBtn", window);
        entry = tree.AddWindow("WndAte32Class", window, "draft");
        label = tree.AddWindow("Static", window);
        send = tree.AddWindow("_Oscar_IconBtn", window);
        other = tree.AddWindow("_Oscar_IconBtn", window);
    }
    Hwnd window, view, format, entry, label, send, other;
};

TEST(SendToChat, SetsTheTextThenSendsPressAndReleaseToTheButtonAfterTheEntryBox) {
    WindowTree tree;
    const ChatWindow chat(tree);
    SendToChat(tree, u"hello room");
    EXPECT_THAT(
        tree.Calls(),
        ElementsAre(Expect::FindWindowA("AIM_ChatWnd", chat.window),
                    Expect::FindWindowExA(chat.window, 0, "WndAte32Class", chat.view),
                    Expect::FindWindowExA(chat.window, chat.view, "WndAte32Class", chat.entry),
                    Expect::SetText(chat.entry, "hello room"),
                    Expect::FindWindowExA(chat.window, chat.entry, "_Oscar_IconBtn", chat.send),
                    Expect::Send(chat.send, kWmLButtonDown),
                    Expect::Send(chat.send, kWmLButtonUp)));
    EXPECT_EQ(tree.Now(), 0); // no pause anywhere
    EXPECT_EQ(tree.TextOf(chat.entry), "hello room");
    EXPECT_EQ(tree.TextOf(chat.view), "room");
    EXPECT_EQ(tree.DeliveriesTo(chat.send).size(), 2u);
    for (const Hwnd untouched : {chat.window, chat.view, chat.format, chat.label, chat.other}) {
        EXPECT_THAT(tree.DeliveriesTo(untouched), IsEmpty()) << untouched;
    }
}

TEST(SendToChat, EmptyTextEmptiesTheEntryBoxAndStillClicks) {
    WindowTree tree;
    const ChatWindow chat(tree);
    SendToChat(tree, u"");
    EXPECT_EQ(tree.TextOf(chat.entry), "");
    EXPECT_EQ(tree.DeliveriesTo(chat.entry).size(), 1u);
    EXPECT_EQ(tree.DeliveriesTo(chat.send).size(), 2u);
}

TEST(SendToChat, WithOneTextViewTheTextGoesNowhereAndTheFirstButtonIsPressed) {
    WindowTree tree;
    const Hwnd window = tree.AddWindow("AIM_ChatWnd");
    const Hwnd first = tree.AddWindow("_Oscar_IconBtn", window);
    const Hwnd view = tree.AddWindow("WndAte32Class", window, "room");
    const Hwnd later = tree.AddWindow("_Oscar_IconBtn", window);
    SendToChat(tree, u"x");
    EXPECT_THAT(tree.Calls(), ::testing::IsSupersetOf(
                                  {Expect::SetText(0, "x"),
                                   Expect::FindWindowExA(window, 0, "_Oscar_IconBtn", first)}));
    EXPECT_EQ(tree.TextOf(view), "room");
    EXPECT_EQ(tree.DeliveriesTo(first).size(), 2u);
    EXPECT_THAT(tree.DeliveriesTo(later), IsEmpty());
}

TEST(SendToChat, WithNoChatWindowReachesNobody) {
    WindowTree tree;
    const Hwnd decoy = tree.AddWindow("AIM_IMessage");
    const Hwnd decoyView = tree.AddWindow("WndAte32Class", decoy);
    const Hwnd decoyButton = tree.AddWindow("_Oscar_IconBtn", decoy);
    SendToChat(tree, u"x");
    EXPECT_THAT(tree.Calls(),
                ElementsAre(Expect::FindWindowA("AIM_ChatWnd", 0),
                            Expect::FindWindowExA(0, 0, "WndAte32Class", 0),
                            Expect::FindWindowExA(0, 0, "WndAte32Class", 0),
                            Expect::SetText(0, "x"),
                            Expect::FindWindowExA(0, 0, "_Oscar_IconBtn", 0),
                            Expect::Send(0, kWmLButtonDown), Expect::Send(0, kWmLButtonUp)));
    for (const Hwnd untouched : {decoy, decoyView, decoyButton}) {
        EXPECT_THAT(tree.DeliveriesTo(untouched), IsEmpty());
    }
}

TEST(SendToChat, AnErrorStopsTheDeliveryAndReachesTheCaller) {
    WindowTree tree;
    const ChatWindow chat(tree);
    tree.SetCallHook([](const WindowCall& call) {
        if (call.kind == WindowCall::Kind::SendMessageA) {
            throw std::runtime_error("window gone");
        }
    });
    EXPECT_THROW(SendToChat(tree, u"x"), std::runtime_error);
    EXPECT_THAT(tree.DeliveriesTo(chat.send), IsEmpty());
}

} // namespace
} // namespace Quillbas
