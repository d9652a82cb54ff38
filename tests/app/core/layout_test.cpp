// The layouts in twips, their pixels at a DPI, and the place on the screen.

#include "app/core/form30_layout.h"
#include "app/core/screen_fit.h"
#include "app/core/texts.h"
#include "app/core/twips.h"
#include "preview/preview_box.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>

namespace Chromell {
namespace {

using namespace Form30Layout;

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// The two bars of one row, one above the other.
bool NeighbouringBars(Form30Control a, Form30Control b) {
    return std::ranges::any_of(kRows, [&](const ColourRowLayout& row) {
        const auto at = [&](Form30Control c) { return std::ranges::find(row.bars, c); };
        return at(a) != row.bars.end() && at(b) != row.bars.end() && std::abs(at(a) - at(b)) == 1;
    });
}

TEST(TwipsTest, PixelsAtTheScreensDpiRoundToTheNearestHalvesToEven) {
    EXPECT_EQ(TwipsToPixels(1215, 144), 122); // 121.5
    EXPECT_EQ(TwipsToPixels(1305, 144), 130); // 130.5
    EXPECT_EQ(TwipsToPixels(-1215, 144), -122);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(1'000'000'000, 480), 333'333'333); // no overflow on the way
    // Each of a rectangle's four numbers on its own.
    EXPECT_EQ(TwipsToPixels(Rect{1215, 1305, 1215, 1305}, 144), (Rect{122, 130, 122, 130}));
    EXPECT_EQ(TwipsToPixels(Size{1215, 1305}, 144), (Size{122, 130}));
}

// At 96 DPI every place is whole pixels, the window as its documented 532 x
// 276; at 144 DPI the documented 798 x 414.
TEST(LayoutTest, WholePixelsAt96DpiAndTheWindowsSizeAtEachDpi) {
    for (const ControlLayout& layout : kControls) {
        const Rect& t = layout.twips;
        for (const int value : {t.left, t.top, t.width, t.height}) {
            EXPECT_EQ(value % (kTwipsPerInch / kBaseDpi), 0) << layout.name;
        }
    }
    EXPECT_EQ(TwipsToPixels(Size{kWindow.width, kWindow.height}), (Size{532, 276}));
    EXPECT_EQ(TwipsToPixels(Size{kWindow.width, kWindow.height}, 144), (Size{798, 414}));
    // The artwork is one row shorter than the client area; the preview box is the renderer's.
    const Size window = TwipsToPixels(Size{kWindow.width, kWindow.height});
    EXPECT_EQ(kArtworkSize, (Size{window.width, window.height - 1}));
    const Rect picture = TwipsToPixels(kPicture1);
    EXPECT_EQ((Size{picture.width, picture.height}),
              (Size{VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight}));
}

// At every DPI a shell may meet, each control lies inside the window and none
// covers another, but for the bars of a row, which share one pixel row.
TEST(LayoutTest, ControlsInsideTheWindowAndApartAtEveryDpi) {
    for (const int dpi : {96, 120, 144, 168, 192, 288}) {
        const Rect window = TwipsToPixels(Rect{0, 0, kWindow.width, kWindow.height}, dpi);
        for (const ControlLayout& a : kControls) {
            const Rect pa = TwipsToPixels(a.twips, dpi);
            EXPECT_TRUE(pa.left >= 0 && pa.top >= 0 && pa.right() <= window.right() &&
                        pa.bottom() <= window.bottom())
                << a.name << " at " << dpi;
            for (const ControlLayout& b : kControls) {
                if (Index(a.control) >= Index(b.control)) {
                    continue;
                }
                const Rect pb = TwipsToPixels(b.twips, dpi);
                if (NeighbouringBars(a.control, b.control)) {
                    const Rect& upper = pa.top < pb.top ? pa : pb;
                    const Rect& lower = pa.top < pb.top ? pb : pa;
                    EXPECT_LE(upper.bottom() - lower.top, dpi / 96 + 1) << a.name << b.name;
                } else {
                    EXPECT_FALSE(Overlap(pa, pb)) << a.name << " and " << b.name << " at " << dpi;
                }
            }
        }
    }
}

// A row's bars stand in one column, red above green above blue, and its
// swatch beside them.
TEST(LayoutTest, EachRowsBarsStandInAColumnWithTheSwatchBeside) {
    for (const ColourRowLayout& row : kRows) {
        const Rect& red = kControls[Index(row.bars[0])].twips;
        const Rect& swatch = kControls[Index(row.swatch)].twips;
        for (std::size_t k = 1; k < row.bars.size(); ++k) {
            const Rect& bar = kControls[Index(row.bars[k])].twips;
            const Rect& above = kControls[Index(row.bars[k - 1])].twips;
            EXPECT_EQ(bar.left, red.left);
            EXPECT_EQ(bar.width, red.width);
            EXPECT_GT(bar.top, above.top);
        }
        const Rect& blue = kControls[Index(row.bars[2])].twips;
        EXPECT_GT(swatch.left, red.right());
        EXPECT_TRUE(swatch.top < blue.bottom() && swatch.bottom() > red.top);
    }
}

// The shells find a control's place, name and texts by its number in the
// table; the focus visits every control that takes it once, starting at red3.
TEST(LayoutTest, TablesAreInControlOrderAndTheFocusVisitsEachOnce) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        EXPECT_EQ(Index(kControls[i].control), i) << kControls[i].name;
        EXPECT_TRUE(names.insert(kControls[i].name).second) << kControls[i].name;
        EXPECT_FALSE(Texts::kForm30Accessible[i].name.empty()) << kControls[i].name;
        EXPECT_FALSE(Texts::kForm30Accessible[i].description.empty()) << kControls[i].name;
    }
    const std::set<Form30Control> visited(kTabOrder.begin(), kTabOrder.end());
    EXPECT_EQ(visited.size(), kTabOrder.size());
    EXPECT_EQ(kTabOrder.front(), Form30Control::red3);
    const std::set<Form30Control> noFocus = {Form30Control::color1, Form30Control::color2,
                                             Form30Control::Color3, Form30Control::Label1,
                                             Form30Control::Label2};
    for (const ControlLayout& layout : kControls) {
        EXPECT_NE(visited.contains(layout.control), noFocus.contains(layout.control))
            << layout.name;
    }
}

// The About window's controls lie inside it and apart.
TEST(LayoutTest, AboutWindowControlsInsideAndApart) {
    const Size client = Form1Layout::kClient;
    for (const Rect& control : {Form1Layout::kLabel1, Form1Layout::kCommand1}) {
        EXPECT_TRUE(control.left >= 0 && control.top >= 0 && control.right() <= client.width &&
                    control.bottom() <= client.height);
    }
    EXPECT_FALSE(Overlap(Form1Layout::kLabel1, Form1Layout::kCommand1));
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
