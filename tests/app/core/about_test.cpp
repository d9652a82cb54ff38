// The one About window, and how long the program runs.

#include "app/core/about.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace Chromell {
namespace {

struct FakeForm1 : Form1View {
    std::vector<std::string>* log;
    explicit FakeForm1(std::vector<std::string>& calls) : log(&calls) {}
    void Restore() override { log->emplace_back("restore"); }
    void Show() override { log->emplace_back("show"); }
    void BringToFront() override { log->emplace_back("bring to front"); }
};

TEST(AboutInstanceTest, MadeOnFirstShowBroughtBackWhileOpenMadeAfreshAfterClosing) {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<FakeForm1>> made;
    const auto create = [&] { return made.emplace_back(std::make_unique<FakeForm1>(log)).get(); };
    AboutInstance about;
    EXPECT_EQ(about.Open(), nullptr);
    Form1View& first = about.Show(create);
    EXPECT_EQ(&about.Show(create), &first);
    EXPECT_EQ(made.size(), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"restore", "show", "bring to front", "restore", "show",
                                             "bring to front"}));
    FakeForm1 stranger(log);
    about.Unloaded(stranger); // not the open one: changes nothing
    EXPECT_EQ(about.Open(), &first);
    about.Unloaded(first);
    EXPECT_EQ(about.Open(), nullptr);
    EXPECT_NE(&about.Show(create), &first);
    EXPECT_EQ(made.size(), 2u);
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
