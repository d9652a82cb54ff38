// The main window's rules through a window in memory.

#include "app/core/colour_rows.h"
#include "app/core/form30_core.h"
#include "bridge/testing/window_tree.h"
#include "tests/app/core/fake_form30_view.h"
#include "tests/bridge/messenger_layouts.h"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <utility>

namespace Chromell {
namespace {

using ::testing::ElementsAre;
using Testing::FakeForm30View;

// The texts the preview box shows.
std::vector<std::string> Prints(const FakeForm30View& view) {
    std::vector<std::string> prints;
    for (const VexoFade::DrawnText& text : view.preview) {
        prints.push_back(text.text);
    }
    return prints;
}

long Clears(const FakeForm30View& view) {
    return view.surface.clears();
}

class Form30CoreTest : public ::testing::Test {
protected:
    FakeForm30View view;
    Form30Core core{view};
};

TEST(SwatchColourTest, ComposesFromTheBarsAFullChannelAbove255) {
    EXPECT_EQ(ComposeSwatchColor(1, 2, 3), 0x030201);
    EXPECT_EQ(ComposeSwatchColor(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(ComposeSwatchColor(256, 0, 0), 0x0000FF);
    EXPECT_EQ(ComposeSwatchColor(0, 32767, 0), 0x00FF00);
    EXPECT_EQ(ComposeSwatchColor(0, 0, 300), 0xFF0000);
    EXPECT_EQ(ComposeSwatchColor(-1, 0, 0), 0);
    EXPECT_TRUE(IsSystemColorReference(kSwatchStartColor));
    EXPECT_EQ(SystemColorIndex(kSwatchStartColor), 14);
    EXPECT_FALSE(IsSystemColorReference(0xFFFFFF));
}

// A bar sets its own row's swatch from all three of the row's bars; the others
// keep the system colour, which the fader reads as 0E0080.
TEST_F(Form30CoreTest, ABarSetsOnlyItsRowsSwatchTheOthersKeepTheSystemColour) {
    view.bars = {{{10, 20, 300}, {1, 1, 1}, {2, 2, 2}}};
    core.Bar_Change(0);
    EXPECT_EQ(core.SwatchColor(0), 0xFF140A);
    EXPECT_EQ(view.shownSwatches[0], 0xFF140A);
    for (const std::size_t row : {1u, 2u}) {
        EXPECT_EQ(core.SwatchColor(row), kSwatchStartColor);
        EXPECT_EQ(view.shownSwatches[row], 0); // never shown anew
    }
    view.input = u"abc";
    core.Command1_Click();
    // a halfway from colour 1 (0A14FF) to colour 2, b and c the system colour as the fader reads it
    EXPECT_EQ(view.output, u"<Font Color=#0C0AC0>a<Font Color=#0E0080>b<Font Color=#0E0080>c");
}

// Text2 is set, then read back, and the preview draws what it gave back.
TEST_F(Form30CoreTest, ThePreviewDrawsWhatTheOutputBoxHolds) {
    view.input = u"a";
    view.keep = [](std::u16string_view text) { return std::u16string(text) + u"Z"; };
    core.Command1_Click();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080>aZ");
    EXPECT_THAT(Prints(view), ElementsAre("a", "Z"));
    EXPECT_TRUE(view.reports.empty());
    core.FadeOutputWavy();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080><sup>aZ");
}

// A fader failure changes neither box; a preview failure keeps the markup and
// what was drawn. Both are reported, last.
TEST_F(Form30CoreTest, AFailureStopsTheFadeAtItsStepAndIsReported) {
    view.output = u"before";
    view.input = std::u16string(32768, u'x');
    core.Command1_Click();
    EXPECT_EQ(view.output, u"before");
    EXPECT_FALSE(view.surface.touched());
    ASSERT_EQ(view.reports.size(), 1u);
    EXPECT_EQ(view.reports[0].first, Texts::kFadeFailed);
    EXPECT_FALSE(view.reports[0].second.empty());
    EXPECT_EQ(view.previewUpdates, 0);
    EXPECT_TRUE(view.reportWasLast);

    view.onInputText = []() -> std::u16string { throw std::bad_alloc(); };
    core.Command1_Click();
    EXPECT_EQ(view.reports.at(1).second, Texts::kOutOfMemory);

    view.onInputText = nullptr;
    view.input = u"abc";
    view.surface.failOn = u"b";
    core.Command1_Click();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080>a<Font Color=#0E0080>b<Font Color=#0E0080>c");
    EXPECT_THAT(Prints(view), ElementsAre("a"));
    EXPECT_EQ(view.reports.at(2),
              std::pair(std::u16string(Texts::kPreviewFailed), std::u16string(u"cannot draw")));
    EXPECT_EQ(view.previewUpdates, 1); // the box shows what was drawn before the failure
    EXPECT_TRUE(view.reportWasLast);
}

// Another fade run in the preview's yield takes over: the first one draws
// nothing after it. So does closing the window, and a window gone is not
// touched at all.
TEST_F(Form30CoreTest, ANewerFadeOrAClosedWindowStopsAFadeInItsYield) {
    bool first = true;
    view.onYield = [this, &first] {
        if (std::exchange(first, false)) {
            view.input = u"new";
            core.Command1_Click();
        }
        return true;
    };
    view.input = u"one\rtwo";
    core.Command1_Click();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080>n<Font Color=#0E0080>e<Font Color=#0E0080>w");
    EXPECT_EQ(Clears(view), 1);
    EXPECT_THAT(Prints(view), ElementsAre("n", "e", "w"));

    view.onYield = [this] {
        core.Form_Unload();
        return true;
    };
    view.input = u"x\ry";
    const int updates = view.previewUpdates;
    core.Command1_Click();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080>x<Font Color=#0E0080>\r<Font Color=#0E0080>y");
    EXPECT_EQ(Clears(view), 1);
    EXPECT_EQ(view.previewUpdates, updates); // the box keeps the fade before
    EXPECT_THAT(Prints(view), ElementsAre("n", "e", "w"));
}

TEST(Form30CoreGoneTest, AWindowGoneInTheYieldIsNotTouched) {
    FakeForm30View view;
    auto core = std::make_unique<Form30Core>(view);
    view.input = u"a\rb";
    view.onYield = [&core] {
        core.reset(); // the window and its core go away together
        return false;
    };
    core->Command1_Click(); // the sanitizer build sees any use of the deleted core
    EXPECT_EQ(core, nullptr);
    EXPECT_FALSE(view.surface.touched());
}

TEST_F(Form30CoreTest, LoadAddsTheTrayIconOnceAfterShowingAndPainting) {
    core.Form_Load();
    core.Form_Load();
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.paintsWhileVisible, 2);
    EXPECT_EQ(view.trayIcons, 1);
    EXPECT_TRUE(view.paintedBeforeTrayIcon);
}

TEST(Form30CoreCommandTest, HotspotsAndMenuItemsDoTheirCommand) {
    const struct {
        std::function<void(Form30Core&)> click;
        bool closed, minimized;
        int about;
    } cases[] = {
        {[](Form30Core& core) { core.Label1_Click(); }, true, false, 0},
        {[](Form30Core& core) { core.Label2_Click(); }, false, true, 0},
        {[](Form30Core& core) { core.Menu_Click(Texts::MenuItem::about); }, false, false, 1},
        {[](Form30Core& core) { core.Menu_Click(Texts::MenuItem::div); }, false, false, 0},
        {[](Form30Core& core) { core.Menu_Click(Texts::MenuItem::exit); }, true, false, 0},
    };
    for (const auto& test : cases) {
        FakeForm30View view;
        Form30Core core(view);
        core.Form_Load();
        test.click(core);
        EXPECT_EQ(view.closed, test.closed);
        EXPECT_EQ(view.visible, !test.closed);
        EXPECT_EQ(view.minimized, test.minimized);
        EXPECT_EQ(view.aboutWindowsShown, test.about);
    }
}

// Only the left double-click and a status-notifier host's activation (the
// window back, shown, in front) and the right button's release (the menu, the
// window in front) do anything; the window starts minimized and hidden behind
// others.
TEST(Form30CoreTrayTest, TrayEventsFollowTheRuleTable) {
    const std::pair<TrayEvent, std::string> table[] = {
        {TrayEvent::Move, ""},
        {TrayEvent::LeftDown, ""},
        {TrayEvent::LeftUp, ""},
        {TrayEvent::LeftDoubleClick, "back shown in front"},
        {TrayEvent::RightDown, ""},
        {TrayEvent::RightUp, "in front menu"},
        {TrayEvent::RightDoubleClick, ""},
        {TrayEvent::MiddleDown, ""},
        {TrayEvent::MiddleUp, ""},
        {TrayEvent::MiddleDoubleClick, ""},
        {TrayEvent::Activate, "back shown in front"},
        {TrayEvent::SecondaryActivate, ""},
    };
    for (const auto& [event, outcome] : table) {
        FakeForm30View view;
        view.minimized = true;
        Form30Core core(view);
        core.TrayIcon_Event(event);
        std::string seen;
        for (const auto& [on, word] : {std::pair{!view.minimized, " back"},
                                       {view.visible, " shown"},
                                       {view.inFront, " in front"},
                                       {view.menuOpen, " menu"}}) {
            seen += on ? word : "";
        }
        EXPECT_EQ(seen, outcome.empty() ? "" : " " + outcome) << static_cast<int>(event);
    }
}

// The output box's text goes to the messenger, and the box keeps it.
TEST_F(Form30CoreTest, SendsDeliverTheOutputBoxsTextAndLeaveIt) {
    for (const bool chat : {true, false}) {
        auto desktop = std::make_shared<Module1::WindowTree>();
        const auto windows = desktop->AddWindows(MessengerLayouts::kMessenger);
        core.SetWindowService(desktop);
        view.output = chat ? u"<b>room" : u"<i>you";
        chat ? core.SendOutputToChat() : core.SendOutputToIm();
        const std::string w = chat ? "chat" : "im";
        EXPECT_EQ(desktop->TextOf(windows.at(w + ".entry")), chat ? "<b>room" : "<i>you");
        EXPECT_EQ(desktop->Clicks(windows.at(w + ".send")), 1);
        EXPECT_EQ(view.output, chat ? u"<b>room" : u"<i>you");
    }
}

// The window has a taskbar entry whenever no tray shows its icon: from the
// start, when the tray goes and when it comes back; the view hears of changes
// only.
TEST(Form30CoreTrayTest, TheTaskbarEntryFollowsWhetherATrayShowsTheIcon) {
    FakeForm30View view;
    Form30Core core(view);
    EXPECT_TRUE(core.OnTaskbar());
    core.TrayIcon_Shown(false);
    EXPECT_EQ(view.taskbarChanges, 0);
    core.TrayIcon_Shown(true);
    core.TrayIcon_Shown(true);
    EXPECT_FALSE(view.onTaskbar);
    EXPECT_EQ(view.taskbarChanges, 1);
    core.Label2_Click();
    core.TrayIcon_Shown(false); // the tray went while the window was minimized
    EXPECT_TRUE(view.onTaskbar);
    EXPECT_TRUE(view.minimized);
    core.TrayIcon_Shown(true);
    EXPECT_FALSE(view.onTaskbar);
    EXPECT_EQ(view.taskbarChanges, 3);
}

} // namespace
} // namespace Chromell
