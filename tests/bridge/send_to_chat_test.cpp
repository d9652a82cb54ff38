#include "bridge/messenger.h"
#include "tests/bridge/messenger_layouts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Quillbas {
namespace {

using namespace Module1;
using namespace Module1::Layouts;

const std::string kPressed = "sent 513, sent 514"; // WM_LBUTTONDOWN, WM_LBUTTONUP

TEST(SendToChat, SetsTheTextThenSendsPressAndReleaseToTheButtonAfterTheEntryBox) {
    WindowTree tree;
    const ChatWindow chat = AddChatWindow(tree);
    SendToChat(tree, u"hello room");
    EXPECT_THAT(tree.Calls(),
                ::testing::ElementsAre(
                    Call::FindWindowA("AIM_ChatWnd", chat.window),
                    Call::FindWindowExA(chat.window, 0, "WndAte32Class", chat.view),
                    Call::FindWindowExA(chat.window, chat.view, "WndAte32Class", chat.entry),
                    Call::SetText(chat.entry, "hello room"),
                    Call::FindWindowExA(chat.window, chat.entry, "_Oscar_IconBtn", chat.send),
                    Call::Send(chat.send, kWmLButtonDown), Call::Send(chat.send, kWmLButtonUp)));
    EXPECT_EQ(tree.Now(), 0); // no pause anywhere
    EXPECT_EQ(tree.TextOf(chat.entry), "hello room");
    EXPECT_EQ(Received(tree, chat.send), kPressed);
    for (const Hwnd other : {chat.window, chat.view, chat.format, chat.label, chat.other}) {
        EXPECT_EQ(Received(tree, other), "") << other;
    }
}

TEST(SendToChat, EmptyTextEmptiesTheEntryBoxAndStillClicks) {
    WindowTree tree;
    const ChatWindow chat = AddChatWindow(tree);
    SendToChat(tree, u"");
    EXPECT_EQ(tree.TextOf(chat.entry), "");
    EXPECT_EQ(Received(tree, chat.entry), "sent 12");
    EXPECT_EQ(Received(tree, chat.send), kPressed);
}

// With one text view the entry box is 0; the button search then starts at
// the first child and finds the formatting button.
TEST(SendToChat, WithOneTextViewTheTextGoesNowhereAndTheFirstButtonIsPressed) {
    WindowTree tree;
    const ChatWindow chat = AddChatWindow(tree);
    tree.RemoveWindow(chat.entry);
    SendToChat(tree, u"x");
    EXPECT_EQ(tree.Calls().at(3), Call::SetText(0, "x"));
    EXPECT_EQ(tree.TextOf(chat.view), "room");
    EXPECT_EQ(Received(tree, chat.format), kPressed);
    EXPECT_EQ(Received(tree, chat.send), "");
}

// A messenger that did not take the text must not send its old draft, and
// the caller learns of it.
TEST(SendToChat, AMessengerThatDoesNotAnswerGetsNoClickAndTheCallerLearnsOfIt) {
    WindowTree tree;
    const ChatWindow chat = AddChatWindow(tree);
    tree.Hang();
    EXPECT_THROW(SendToChat(tree, u"x"), NotAnswering);
    EXPECT_EQ(tree.TextOf(chat.entry), "draft");
    EXPECT_EQ(Received(tree, chat.send), "");
}

} // namespace
} // namespace Quillbas
