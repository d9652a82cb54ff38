// The main window's rules through a window in memory.

#include "app/core/colour_rows.h"
#include "app/core/form30_core.h"
#include "tests/app/core/fake_form30_view.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <utility>

namespace Chromell {
namespace {

using ::testing::ElementsAre;
using Testing::FakeForm30View;
using Log = std::vector<std::string>;

std::vector<std::string> Prints(const FakeForm30View& view) {
    std::vector<std::string> prints;
    for (const VexoFade::DrawnText& text : view.surface.drawn()) {
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
    EXPECT_EQ(view.log, (Log{"set output", "read output", "preview drawn"}));
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
    EXPECT_EQ(view.log, Log{"report"});

    view.onInputText = []() -> std::u16string { throw std::bad_alloc(); };
    core.Command1_Click();
    EXPECT_EQ(view.reports.at(1).second, Texts::kOutOfMemory);

    view.onInputText = nullptr;
    view.input = u"abc";
    view.surface.failOn = u"b";
    view.log.clear();
    core.Command1_Click();
    EXPECT_EQ(view.output, u"<Font Color=#0E0080>a<Font Color=#0E0080>b<Font Color=#0E0080>c");
    EXPECT_THAT(Prints(view), ElementsAre("a"));
    EXPECT_EQ(view.reports.at(2),
              std::pair(std::u16string(Texts::kPreviewFailed), std::u16string(u"cannot draw")));
    EXPECT_EQ(view.log, (Log{"set output", "read output", "preview drawn", "report"}));
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
    view.log.clear();
    core.Command1_Click();
    EXPECT_EQ(Clears(view), 1);
    EXPECT_EQ(view.log, (Log{"set output", "read output", "yield"}));
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
    EXPECT_EQ(view.log, (Log{"show", "repaint", "add tray icon", "show", "repaint"}));
}

TEST_F(Form30CoreTest, HotspotsAndMenuItemsDoTheirCommand) {
    core.Label1_Click();
    core.Label2_Click();
    core.Menu_Click(Texts::MenuItem::about);
    core.Menu_Click(Texts::MenuItem::div);
    core.Menu_Click(Texts::MenuItem::exit);
    EXPECT_EQ(view.log, (Log{"close", "minimize", "show about", "close"}));
}

// Only the left double-click and the right button's release do anything.
TEST_F(Form30CoreTest, TrayEventsFollowTheRuleTable) {
    const std::pair<TrayEvent, Log> table[] = {
        {TrayEvent::Move, {}},
        {TrayEvent::LeftDown, {}},
        {TrayEvent::LeftUp, {}},
        {TrayEvent::LeftDoubleClick, {"restore", "bring to front", "show"}},
        {TrayEvent::RightDown, {}},
        {TrayEvent::RightUp, {"bring to front", "pop up menu"}},
        {TrayEvent::RightDoubleClick, {}},
        {TrayEvent::MiddleDown, {}},
        {TrayEvent::MiddleUp, {}},
        {TrayEvent::MiddleDoubleClick, {}},
    };
    for (const auto& [event, commands] : table) {
        view.log.clear();
        core.TrayIcon_Event(event);
        EXPECT_EQ(view.log, commands) << static_cast<int>(event);
    }
}

} // namespace
} // namespace Chromell
