// The layouts in twips, their pixels at a DPI, and the place on the screen.

#include "app/core/form30_layout.h"
#include "app/core/screen_fit.h"
#include "app/core/texts.h"
#include "app/core/twips.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>

namespace Chromell {
namespace {

using namespace Form30Layout;

TEST(TwipsTest, PixelsAtTheScreensDpiRoundToTheNearestHalvesToEven) {
    EXPECT_EQ(TwipsToPixels(kWindow), (Rect{135, 113, 532, 276}));
    EXPECT_EQ(TwipsToPixels(kWindow, 144), (Rect{202, 170, 798, 414})); // 202.5, 169.5
    EXPECT_EQ(TwipsToPixels(kWindow, 120), (Rect{169, 141, 665, 345})); // 168.75, 141.25
    EXPECT_EQ(TwipsToPixels(Form1Layout::kClient), (Size{225, 59}));
    EXPECT_EQ(TwipsToPixels(1215, 144), 122); // 121.5
    EXPECT_EQ(TwipsToPixels(1305, 144), 130); // 130.5
    EXPECT_EQ(TwipsToPixels(-1215, 144), -122);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(1'000'000'000, 480), 333'333'333); // no overflow on the way
}

// The shells find a control's place and name by its number in the table.
TEST(LayoutTest, TablesAreInControlOrderAndTheFocusVisitsEachOnce) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        EXPECT_EQ(Index(kControls[i].control), i) << kControls[i].name;
        EXPECT_FALSE(Texts::kForm30Accessible[i].name.empty()) << kControls[i].name;
        EXPECT_FALSE(Texts::kForm30Accessible[i].description.empty()) << kControls[i].name;
    }
    EXPECT_EQ(kControls[Index(Form30Control::Color3)].twips, kColor3);
    EXPECT_EQ(kRows[2].bars[0], Form30Control::red3);
    const std::set<Form30Control> visited(kTabOrder.begin(), kTabOrder.end());
    EXPECT_EQ(visited.size(), kTabOrder.size());
    EXPECT_EQ(kTabOrder.front(), Form30Control::red3);
    EXPECT_FALSE(visited.contains(Form30Control::color1) ||
                 visited.contains(Form30Control::Label1));
}

// Moved the least way onto the free area (right of a panel at 50), else to its top left.
TEST(ScreenFitTest, KeepsTheWindowWhollyOnTheScreen) {
    EXPECT_EQ(FitOnScreen({135, 300, 532, 276}, {0, 0, 640, 480}), (Rect{108, 204, 532, 276}));
    EXPECT_EQ(FitOnScreen({10, 10, 100, 100}, {50, 0, 590, 480}), (Rect{50, 10, 100, 100}));
    EXPECT_EQ(FitOnScreen({100, 100, 700, 500}, {0, 0, 640, 480}), (Rect{0, 0, 700, 500}));
    EXPECT_EQ(FitOnScreen({0, 0, 640, 480}, {0, 0, 640, 480}), (Rect{0, 0, 640, 480}));
}

TEST(TextsTest, TheHandleListNamesTwelveDifferentHandles) {
    std::set<std::u16string_view> handles;
    std::u16string_view rest = Texts::kHandleList;
    for (std::size_t comma; (comma = rest.find(u", ")) != rest.npos;
         rest.remove_prefix(comma + 2)) {
        handles.insert(rest.substr(0, comma));
    }
    handles.insert(rest);
    EXPECT_EQ(handles.size(), 12u);
    EXPECT_FALSE(handles.contains(u""));
    EXPECT_NE(Texts::kCreditLine.find(u"the Chromell developers"), std::u16string_view::npos);
}

// The credit line names the build's home page and no other address: none
// when the build names none.
TEST(TextsTest, TheCreditLineNamesOnlyTheBuildsHomePage) {
    const std::string_view home = CHROMELL_HOMEPAGE_SHOWN;
    const std::u16string credit(Texts::kCreditLine);
    if (home.empty()) {
        EXPECT_EQ(credit.find_first_of(u"./"), std::u16string::npos) << "an address in it";
    } else {
        EXPECT_NE(credit.find(std::u16string(home.begin(), home.end())), std::u16string::npos);
    }
}

} // namespace
} // namespace Chromell
