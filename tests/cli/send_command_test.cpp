#include "bridge/testing/window_tree.h"
#include "cli/send_command.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace Chromell {
namespace {

using Module1::Hwnd;
using Module1::WindowTree;

// A desktop with an IM window and a chat window, each with its entry box and
// send button where the messenger has them.
struct Desktop {
    Desktop() {
        im = tree.AddWindow("AIM_IMessage");
        const Hwnd combo = tree.AddWindow("_Oscar_PersistantCombo", im);
        tree.AddWindow("Edit", combo);
        tree.AddWindow("WndAte32Class", im);
        imEntry = tree.AddWindow("WndAte32Class", im, "im draft");
        imSend = tree.AddWindow("_Oscar_IconBtn", im);
        chat = tree.AddWindow("AIM_ChatWnd");
        tree.AddWindow("WndAte32Class", chat);
        chatEntry = tree.AddWindow("WndAte32Class", chat, "chat draft");
        chatSend = tree.AddWindow("_Oscar_IconBtn", chat);
    }

    int Run(std::vector<std::u16string_view> args) { return RunSendCommand(args, tree, out, err); }

    WindowTree tree;
    Hwnd im, imEntry, imSend, chat, chatEntry, chatSend;
    std::ostringstream out;
    std::ostringstream err;
};

TEST(SendCommand, FadesAndDeliversToTheChosenWindow) {
    Desktop im;
    EXPECT_EQ(im.Run({u"--im", u"--colors", u"FF0000,00FF00,0000FF", u"a", u"c"}), 0);
    EXPECT_EQ(im.tree.TextOf(im.imEntry),
              "<Font Color=#808000>a<Font Color=#00FF00> <Font Color=#0000FF>c");
    EXPECT_EQ(im.tree.DeliveriesTo(im.imSend).size(), 2u);
    EXPECT_EQ(im.tree.TextOf(im.chatEntry), "chat draft");
    EXPECT_EQ(im.out.str() + im.err.str(), "");

    Desktop chat;
    EXPECT_EQ(chat.Run({u"--wave", u"--colors=#000000,#000000,#0000ff", u"--chat", u"x"}), 0);
    EXPECT_EQ(chat.tree.TextOf(chat.chatEntry), "<Font Color=#0000FF><sup>x");
    EXPECT_EQ(chat.tree.DeliveriesTo(chat.chatSend).size(), 2u);
    EXPECT_EQ(chat.tree.TextOf(chat.imEntry), "im draft");
}

TEST(SendCommand, RawDeliversTheTextAsItIsInTheAnsiCodePage) {
    Desktop desktop;
    EXPECT_EQ(desktop.Run({u"--raw", u"--chat", u"--", u"--wave", u"caf\u00E9", u"\u4E2D"}), 0);
    EXPECT_EQ(desktop.tree.TextOf(desktop.chatEntry), "--wave caf\xE9 ?");

    Desktop empty;
    EXPECT_EQ(empty.Run({u"--chat", u"--raw", u""}), 0);
    EXPECT_EQ(empty.tree.TextOf(empty.chatEntry), "");
}

TEST(SendCommand, UsageErrorsExitTwoAndTouchNoWindow) {
    const std::vector<std::vector<std::u16string_view>> cases = {
        {u"x"},
        {u"--im", u"--chat", u"x"},
        {u"--im"},
        {u"--im", u"--raw", u"--wave", u"x"},
        {u"--chat", u"--raw", u"--colors", u"FF0000,00FF00,0000FF", u"x"},
        {u"--im", u"--colors", u"FF0000,XYZ,0000FF", u"x"},
        {u"--im", u"x", u"--colors"},
        {u"--im", u"--bogus", u"x"},
    };
    for (const auto& args : cases) {
        Desktop desktop;
        EXPECT_EQ(desktop.Run(args), 2) << desktop.err.str();
        EXPECT_TRUE(desktop.tree.Calls().empty());
        EXPECT_EQ(desktop.err.str().rfind("chromell-send: ", 0), 0u);
        EXPECT_EQ(desktop.out.str(), "");
    }
    Desktop desktop;
    desktop.Run({u"--im", u"--colors", u"FF0000,\u00C9\u00C9,0000FF", u"x"});
    EXPECT_NE(desktop.err.str().find("'\xC3\x89\xC3\x89'"), std::string::npos) << desktop.err.str();
}

TEST(SendCommand, ATextTooLongToFadeExitsOneAndDeliversNothing) {
    const std::u16string longest(32767, u'a');
    const std::u16string tooLong(32768, u'a');
    Desktop desktop;
    EXPECT_EQ(desktop.Run({u"--chat", tooLong}), 1);
    EXPECT_TRUE(desktop.tree.Calls().empty());
    EXPECT_NE(desktop.err.str().find("32,768 characters"), std::string::npos);
    EXPECT_EQ(desktop.Run({u"--chat", longest}), 0);
    EXPECT_EQ(desktop.tree.TextOf(desktop.chatEntry).size(), 32767u * 21);
    // Taken as it is, a long text goes through whole.
    EXPECT_EQ(desktop.Run({u"--chat", u"--raw", tooLong}), 0);
    EXPECT_EQ(desktop.tree.TextOf(desktop.chatEntry).size(), 32768u);
}

TEST(SendCommand, AFailedChatDeliveryExitsOne) {
    Desktop desktop;
    desktop.tree.SetCallHook([](const Module1::WindowCall& call) {
        if (call.kind == Module1::WindowCall::Kind::SendMessageA) {
            throw std::runtime_error("window went away");
        }
    });
    EXPECT_EQ(desktop.Run({u"--chat", u"x"}), 1);
    EXPECT_NE(desktop.err.str().find("window went away"), std::string::npos);
}

} // namespace
} // namespace Chromell
