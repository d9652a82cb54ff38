#include "engine/unicode/grapheme.h"
#include "preview/preview_box.h"
#include "preview/qt/qt_drawing_surface.h"
#include "preview/render_markup.h"
#include "tests/support/pixels.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <tuple>

namespace Chromell {
namespace {

using Testing::Changed;
using Testing::CountPixels;
using Testing::Ink;
using Testing::IsDark;
using Testing::PixelsWhere;

const QSize kPreviewBox(VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight);

QImage Render(std::u16string_view markup) {
    VexoFade::QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, markup);
    return surface.image();
}

TEST(QtDrawingSurface, TextHangsFromThePointInTheForeColour) {
    const QImage image = Render(u"<font color=#ff0000>W\r<sub>W");
    const QRect first = Ink(image, Qt::white, QRect(0, 0, kPreviewBox.width(), 16));
    EXPECT_GE(first.top(), 0);
    EXPECT_GE(first.left(), 1); // at most a pixel left of the origin
    EXPECT_EQ(
        Ink(image, Qt::white, QRect(0, 16, kPreviewBox.width(), kPreviewBox.height() - 16)).top(),
        first.top() + 17);
    // Strongly red strokes, their edges blended into the white.
    EXPECT_GT(CountPixels(image, [](QRgb p) { return qRed(p) == 255 && qGreen(p) < 64; }), 20);
}

TEST(QtDrawingSurface, Styles) {
    const QImage plain = Render(u"HHH");
    const QRect letters = Ink(plain);
    EXPECT_GT(CountPixels(Render(u"<b>HHH"), IsDark), CountPixels(plain, IsDark) * 5 / 4);

    // Underline under the baseline, strikethrough through the middle.
    for (const auto& [markup, top, bottom] :
         {std::tuple{u"<u>HHH", letters.bottom() + 1, letters.bottom() + 3},
          std::tuple{u"<s>HHH", letters.top() + 3, letters.bottom() - 3}}) {
        const QRect line = Changed(plain, Render(markup));
        EXPECT_TRUE(line.top() >= top && line.bottom() <= bottom && line.height() <= 2 &&
                    line.width() > letters.width() * 9 / 10)
            << line.top() << ".." << line.bottom() << " in " << letters.top();
    }

    // A vertical stroke leans right at the top in italics, and only there.
    for (const auto& [markup, leans] : {std::pair{u"l", false}, std::pair{u"<i>l", true}}) {
        const QImage image = Render(markup);
        const QRect ink = PixelsWhere(image, IsDark);
        const int lean = PixelsWhere(image, IsDark, ink.adjusted(0, 0, 0, -8)).left() -
                         PixelsWhere(image, IsDark, ink.adjusted(0, 8, 0, 0)).left();
        EXPECT_EQ(lean >= 1, leans) << lean;
    }
}

TEST(QtDrawingSurface, AccentIsDrawnOverItsLetter) {
    if (VexoFade::GraphemeLength(u"e\u0301", 0) != 2) {
        GTEST_SKIP() << "grapheme cluster tables not built in";
    }
    const QImage letter = Render(u"e");
    const QRect e = Ink(letter);
    const QRect accent = Changed(letter, Render(u"e\u0301"));
    ASSERT_FALSE(accent.isNull());
    EXPECT_LE(accent.bottom(), e.top());
    EXPECT_GE(accent.left(), e.left() - 1);
    EXPECT_LE(accent.right(), e.right() + 1);
}

// A Devanagari conjunct is one cluster, so the preview hands it to the font whole
// and the font shapes the conjunct: the ink of printing it in one piece, not that
// of the half consonant and the next one printed apart.
TEST(QtDrawingSurface, ConjunctIsShapedAsOneGlyphRun) {
    if (!QFontDatabase::families().contains("Lohit Devanagari")) {
        GTEST_SKIP() << "no Devanagari font (fonts-lohit-deva)";
    }
    const auto printed = [](std::initializer_list<std::u16string_view> pieces) {
        VexoFade::QtDrawingSurface surface(kPreviewBox);
        VexoFade::RenderMarkupPreview(surface, u""); // the preview's font, cleared
        float x = 2;
        for (const std::u16string_view piece : pieces) {
            surface.SetCurrentY(0);
            surface.SetCurrentX(x);
            surface.Print(piece);
            x += surface.TextWidth(piece);
        }
        return surface.image();
    };
    const std::u16string_view conjunct = u"\u0915\u094D\u0937";
    const QImage preview = Render(conjunct);
    EXPECT_EQ(preview, printed({conjunct}));
    EXPECT_NE(preview, printed({conjunct.substr(0, 2), conjunct.substr(2)}));
}

TEST(QtDrawingSurface, FacesAndClearing) {
    const QColor grey(0xC0, 0xC0, 0xC0);
    VexoFade::QtDrawingSurface surface(kPreviewBox, grey);
    VexoFade::RenderMarkupPreview(surface, u"Hello");
    // Arial or a face of its metrics: at 10 points (13 pixels), "A" is 1366/2048 of that wide.
    const QString family = QFontInfo(surface.font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    EXPECT_NEAR(surface.TextWidth(u"A"), 13 * 1366 / 2048.0, 0.5);
    EXPECT_FALSE(Ink(surface.image(), grey).isNull());
    surface.Cls();
    EXPECT_TRUE(Ink(surface.image(), grey).isNull());
    // The closing quote that the markup leaves on a name is dropped; no name keeps the face.
    VexoFade::RenderMarkupPreview(surface, u"<font face=\"Courier New\">");
    EXPECT_EQ(surface.font().family(), "courier new");
    EXPECT_FLOAT_EQ(surface.TextWidth(u"i"), surface.TextWidth(u"W")); // monospaced
    VexoFade::RenderMarkupPreview(surface, u"<font face=\"\">");
    EXPECT_EQ(surface.font().family(), "Arial");
}

} // namespace
} // namespace Chromell
