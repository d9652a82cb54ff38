// The one About window, and how long the program runs.

#include "app/core/about.h"
#include "app/core/texts.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace Chromell {
namespace {

// An About window as a user sees it: made hidden, and minimized now and then.
struct FakeForm1 : Form1View {
    bool visible = false;
    bool minimized = false;
    bool inFront = false;
    void Restore() override { minimized = false; }
    void Show() override { visible = true; }
    void BringToFront() override { inFront = true; }
    // Each box the whole program waited on: its title and text.
    std::vector<std::pair<std::u16string, std::u16string>> programModalBoxes;
    void ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) override {
        programModalBoxes.emplace_back(title, text);
    }
};

// "Supz" lists the handles in one box, titled with the program's name, that
// the whole program waits on.
TEST(AboutInstanceTest, SupzListsTheHandlesInABoxTheProgramWaitsOn) {
    FakeForm1 about;
    Supz_Click(about);
    ASSERT_EQ(about.programModalBoxes.size(), 1u);
    EXPECT_EQ(about.programModalBoxes[0].first, Texts::kAppTitle);
    EXPECT_EQ(about.programModalBoxes[0].second, Texts::kHandleList);
}

TEST(AboutInstanceTest, MadeOnFirstShowBroughtBackWhileOpenMadeAfreshAfterClosing) {
    std::vector<std::unique_ptr<FakeForm1>> made;
    const auto create = [&] { return made.emplace_back(std::make_unique<FakeForm1>()).get(); };
    const auto seenWhole = [](const FakeForm1& window) {
        return window.visible && !window.minimized && window.inFront;
    };
    AboutInstance about;
    EXPECT_EQ(about.Open(), nullptr);
    Form1View& first = about.Show(create);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(seenWhole(*made[0]));
    // Minimized and behind others, the open window is brought back, not made anew.
    *made[0] = FakeForm1{};
    made[0]->minimized = true;
    EXPECT_EQ(&about.Show(create), &first);
    EXPECT_EQ(made.size(), 1u);
    EXPECT_TRUE(seenWhole(*made[0]));
    FakeForm1 stranger;
    about.Unloaded(stranger); // not the open one: changes nothing
    EXPECT_EQ(about.Open(), &first);
    about.Unloaded(first);
    EXPECT_EQ(about.Open(), nullptr);
    EXPECT_NE(&about.Show(create), &first);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_TRUE(seenWhole(*made[1]));
}

TEST(LoadedWindowsTest, TheProgramEndsWithItsLastWindow) {
    LoadedWindows windows;
    windows.Loaded(); // the main window
    windows.Loaded(); // About
    EXPECT_FALSE(windows.Unloaded());
    EXPECT_TRUE(windows.Unloaded());
    EXPECT_TRUE(windows.Unloaded()); // once more: still none
    EXPECT_EQ(windows.Count(), 0);
}

} // namespace
} // namespace Chromell
