#include "engine/unicode/grapheme.h"
#include "preview/preview_box.h"
#include "preview/render_markup.h"
#include "preview/win32/gdi_drawing_surface.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace Chromell {
namespace {

constexpr int kBoxWidth = VexoFade::kPreviewBoxWidth;
constexpr int kBoxHeight = VexoFade::kPreviewBoxHeight;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Bounding box of the points of a w x h picture where `wanted` holds; an
// empty RECT when there are none.
RECT Where(int width, int height, const std::function<bool(int, int)>& wanted) {
    RECT box{};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (wanted(x, y)) {
                const RECT pixel{x, y, x + 1, y + 1};
                UnionRect(&box, &box, &pixel);
            }
        }
    }
    return box;
}

// The same, for the pixels of the rows from `top` to `bottom`.
RECT PixelsWhere(const VexoFade::GdiDrawingSurface& s, const std::function<bool(COLORREF)>& wanted,
                 int top = 0, int bottom = 1 << 20) {
    return Where(s.width(), s.height(),
                 [&](int x, int y) { return y >= top && y < bottom && wanted(s.Pixel(x, y)); });
}

// Whatever is not the background, in the rows from `top` to `bottom`.
RECT Ink(const VexoFade::GdiDrawingSurface& s, int top = 0, int bottom = 1 << 20,
         COLORREF back = kWhite) {
    return PixelsWhere(
        s, [back](COLORREF p) { return p != back; }, top, bottom);
}

RECT Changed(const VexoFade::GdiDrawingSurface& before, const VexoFade::GdiDrawingSurface& after) {
    return Where(after.width(), after.height(),
                 [&](int x, int y) { return before.Pixel(x, y) != after.Pixel(x, y); });
}

int CountPixels(const VexoFade::GdiDrawingSurface& s, const std::function<bool(COLORREF)>& wanted) {
    int count = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            count += wanted(s.Pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool Empty(const RECT& box) {
    return IsRectEmpty(&box) != 0;
}

std::unique_ptr<VexoFade::GdiDrawingSurface>
Render(std::u16string_view markup, int width = kBoxWidth, int height = kBoxHeight) {
    auto surface = std::make_unique<VexoFade::GdiDrawingSurface>(width, height);
    VexoFade::RenderMarkupPreview(*surface, markup);
    return surface;
}

TEST(GdiDrawingSurface, TextHangsFromThePointInItsColour) {
    const auto image = Render(u"<font color=#ff0000>W<font color=#0000ff>W\r<sub>W");
    const RECT first = Ink(*image, 0, 16);
    EXPECT_GE(first.top, 0);
    EXPECT_GE(first.left, 1); // at most a pixel left of the origin
    EXPECT_EQ(Ink(*image, 16).top, first.top + 17);
    // Each glyph's strokes in exactly its colour, edges blended into the white.
    const RECT red = PixelsWhere(
        *image, [](COLORREF p) { return p == RGB(255, 0, 0); }, 0, 16);
    const RECT blue = PixelsWhere(
        *image, [](COLORREF p) { return p == RGB(0, 0, 255); }, 0, 16);
    EXPECT_GT(CountPixels(*image, [](COLORREF p) { return p == RGB(255, 0, 0); }), 10);
    EXPECT_EQ(red.left, first.left);
    EXPECT_LE(red.right, blue.left + 1); // the glyphs may touch
    EXPECT_EQ(blue.right, first.right);
}

TEST(GdiDrawingSurface, Styles) {
    const auto plain = Render(u"HHH");
    const RECT letters = Ink(*plain);
    const auto isInk = [](COLORREF p) { return p != kWhite; };
    EXPECT_GT(CountPixels(*Render(u"<b>HHH"), isInk), CountPixels(*plain, isInk) * 5 / 4);
    EXPECT_GT(Ink(*Render(u"<b>HHH")).right, letters.right);

    // Underline under the baseline, strikethrough through the middle.
    for (const auto& [markup, top, bottom] :
         {std::tuple{u"<u>HHH", letters.bottom, letters.bottom + 3},
          std::tuple{u"<s>HHH", letters.top + 2, letters.bottom - 2}}) {
        const RECT line = Changed(*plain, *Render(markup));
        EXPECT_TRUE(line.top >= top && line.bottom <= bottom && line.bottom - line.top <= 2 &&
                    line.right - line.left > (letters.right - letters.left) * 9 / 10)
            << line.top << ".." << line.bottom << " in " << letters.top << ".." << letters.bottom;
    }

    // One pixel up, one pixel down; the size stays.
    const RECT up = Ink(*Render(u"<sup>HHH"));
    const RECT down = Ink(*Render(u"<sub>HHH"));
    EXPECT_EQ(up.top, letters.top - 1);
    EXPECT_EQ(up.bottom, letters.bottom - 1);
    EXPECT_EQ(down.top, letters.top + 1);
    EXPECT_EQ(up.right, letters.right);

    // A vertical stroke leans right at the top in italics, and only there.
    for (const auto& [markup, leans] : {std::pair{u"l", false}, std::pair{u"<i>l", true}}) {
        const auto image = Render(markup);
        const RECT ink = Ink(*image);
        const int lean = Ink(*image, ink.top, ink.top + 3).left - Ink(*image, ink.bottom - 3).left;
        EXPECT_EQ(lean >= 1, leans) << lean;
    }
}

TEST(GdiDrawingSurface, CharactersAsTheMessengerShowsThem) {
    // A character reference is drawn as the character it names.
    VexoFade::GdiDrawingSurface direct(kBoxWidth, kBoxHeight);
    direct.SetCurrentX(2);
    direct.SetCurrentY(0);
    direct.Print(u"<");
    const auto entity = Render(u"&lt;");
    EXPECT_FALSE(Empty(Ink(direct)));
    EXPECT_TRUE(Empty(Changed(direct, *entity)));

    // A letter and its combining accent are drawn as one: the accent sits
    // above the letter, over its columns, and takes no room of its own. (In a
    // face that has the accent: GDI under Wine does not fall back to another.)
    if (VexoFade::GraphemeLength(u"e\u0301", 0) != 2) {
        GTEST_SKIP() << "grapheme cluster tables not built in";
    }
    const std::u16string face = u"<font face=\"DejaVu Sans\">";
    const auto letter = Render(face + u"e");
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(letter->dc(), LF_FACESIZE, chosen);
    if (std::wstring(chosen) != L"DejaVu Sans") {
        GTEST_SKIP() << "DejaVu Sans is not installed (fonts-dejavu-core)";
    }
    const RECT e = Ink(*letter);
    const auto accented = Render(face + u"e\u0301x");
    const RECT accent = Ink(*accented, 0, e.top);
    EXPECT_FALSE(Empty(accent)) << "no accent above the letter";
    EXPECT_GE(accent.left, e.left - 1);
    EXPECT_LE(accent.right, e.right + 1);
    EXPECT_EQ(Ink(*accented, e.top).right, Ink(*Render(face + u"ex")).right)
        << "the accent took room of its own";
}

TEST(GdiDrawingSurface, FacesSizesAndClearing) {
    const COLORREF grey = RGB(0xC0, 0xC0, 0xC0);
    VexoFade::GdiDrawingSurface surface(kBoxWidth, kBoxHeight, 96, grey);
    VexoFade::RenderMarkupPreview(surface, u"Hello");
    // Arial or a face of its metrics: at 10 points (13 pixels), "A" is 1366/2048 of that wide.
    EXPECT_STREQ(surface.font().lfFaceName, L"Arial");
    EXPECT_NEAR(surface.TextWidth(u"A"), 13 * 1366 / 2048.0, 0.5);
    EXPECT_FALSE(Empty(Ink(surface, 0, 99, grey)));
    surface.Cls();
    EXPECT_TRUE(Empty(Ink(surface, 0, 99, grey)));

    // The closing quote that the markup leaves on a name is dropped; no name
    // keeps the face; a name too long for GDI is left to its font mapper.
    VexoFade::RenderMarkupPreview(surface, u"<font face=\"Liberation Mono\">");
    EXPECT_STREQ(surface.font().lfFaceName, L"liberation mono");
    EXPECT_FLOAT_EQ(surface.TextWidth(u"i"), surface.TextWidth(u"W")); // monospaced
    surface.SetFontName(u"\"");
    EXPECT_STREQ(surface.font().lfFaceName, L"liberation mono");
    surface.SetFontName(std::u16string(40, u'x'));
    EXPECT_STREQ(surface.font().lfFaceName, L"");
    EXPECT_GT(surface.TextWidth(u"W"), 0.0f);

    // Many faces in one markup: the fonts are recycled, and drawing goes on
    // in the right font.
    std::u16string faces;
    for (int k = 0; k < 150; ++k) {
        faces += u"<font face=\"f" + std::u16string(1, static_cast<char16_t>(u'A' + k % 26)) +
                 std::u16string(static_cast<std::size_t>(k / 26 + 1), u'a') + u"\">.";
    }
    const auto plain = Render(u"HHH");
    VexoFade::GdiDrawingSurface recycled(kBoxWidth, kBoxHeight);
    VexoFade::RenderMarkupPreview(recycled, faces);
    VexoFade::RenderMarkupPreview(recycled, u"HHH");
    EXPECT_TRUE(Empty(Changed(*plain, recycled)));

    // Points become pixels at the surface's DPI.
    VexoFade::GdiDrawingSurface doubled(kBoxWidth, kBoxHeight, 192);
    EXPECT_NEAR(doubled.TextWidth(u"A"), 27 * 1366 / 2048.0, 1.0);

    // The owner's copy to a window: the same pixels where it puts them.
    VexoFade::GdiDrawingSurface window(kBoxWidth + 20, kBoxHeight + 10);
    ASSERT_TRUE(plain->Paint(window.dc(), 10, 5));
    const RECT ink = Ink(*plain);
    const RECT copied = Ink(window);
    EXPECT_EQ(copied.left, ink.left + 10);
    EXPECT_EQ(copied.top, ink.top + 5);
    EXPECT_EQ(window.Pixel(ink.left + 10, ink.top + 5), plain->Pixel(ink.left, ink.top));
}

// A surface keeps at most 64 fonts, and drops them all when it needs one
// more. Through 80 fonts, and back to those dropped, each text is drawn and
// measured as on a fresh surface, and the fonts dropped are gone.
TEST(GdiDrawingSurface, FontsDroppedFromTheCacheAreMadeAgainAlike) {
    constexpr int kFonts = 80;
    constexpr int kWidth = 160;
    constexpr int kHeight = 80;
    const auto draw = [](VexoFade::GdiDrawingSurface& surface, int font) {
        surface.Cls();
        surface.SetFontSize(static_cast<float>(6 + font % (kFonts / 2)));
        surface.SetFontBold(font >= kFonts / 2);
        surface.SetCurrentX(1.0f);
        surface.SetCurrentY(1.0f);
        surface.Print(u"Wg");
        return surface.TextWidth(u"Wg");
    };
    std::vector<int> order(kFonts);
    std::iota(order.begin(), order.end(), 0);
    order.insert(order.end(), order.rbegin(), order.rend());

    VexoFade::GdiDrawingSurface cycled(kWidth, kHeight);
    std::set<HGDIOBJ> handles;
    for (const int font : order) {
        const float width = draw(cycled, font);
        handles.insert(GetCurrentObject(cycled.dc(), OBJ_FONT));
        VexoFade::GdiDrawingSurface fresh(kWidth, kHeight);
        EXPECT_EQ(width, draw(fresh, font)) << font;
        EXPECT_TRUE(Empty(Changed(fresh, cycled))) << font;
    }
    EXPECT_GT(handles.size(), 64u); // dropped fonts were made again
    const auto alive = std::count_if(handles.begin(), handles.end(), [](HGDIOBJ handle) {
        return GetObjectType(handle) == OBJ_FONT;
    });
    EXPECT_GE(alive, 1);
    EXPECT_LE(alive, 64);
}

// The extent holds all ink of everything printed, also outside the picture,
// and not much more.
TEST(GdiDrawingSurface, DrawnExtentHoldsEverythingPrinted) {
    for (const std::u16string& markup : {std::u16string(u"Hi"), std::u16string(60, u'W') + u"\rx",
                                         std::u16string(u"x\r\u2320 \u222B<sub>g")}) {
        const auto box = Render(markup);
        const auto large = Render(markup, 2000, 200);
        const SIZE extent = box->DrawnExtent();
        const RECT ink = Ink(*large);
        EXPECT_GE(extent.cx, ink.right);
        EXPECT_GE(extent.cy, ink.bottom);
        EXPECT_LE(extent.cx, ink.right + 6);
        EXPECT_LE(extent.cy, ink.bottom + 6);
        ASSERT_TRUE(box->Resize(extent.cx, extent.cy));
        EXPECT_EQ(box->DrawnExtent().cx, 0);
    }
    VexoFade::GdiDrawingSurface surface(kBoxWidth, kBoxHeight);
    EXPECT_FALSE(surface.Resize(0, 10));
    EXPECT_EQ(surface.width(), kBoxWidth);
}

} // namespace
} // namespace Chromell
