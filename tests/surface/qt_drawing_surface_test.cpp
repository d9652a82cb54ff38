#include "engine/unicode/grapheme.h"
#include "preview/qt/qt_drawing_surface.h"
#include "preview/render_markup.h"
#include "tests/support/pixels.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace Chromell {
namespace {

using Testing::Changed;
using Testing::CountPixels;
using Testing::Ink;
using Testing::IsDark;
using Testing::PixelsWhere;

const QSize kPreviewBox(297, 25);

QImage Render(std::u16string_view markup, QSize size = kPreviewBox) {
    QtDrawingSurface surface(size);
    VexoFade::RenderMarkupPreview(surface, markup);
    return surface.image();
}

// Mean column of the dark pixels in the given rows.
double MeanDarkColumn(const QImage& image, int top, int bottom) {
    double sum = 0.0;
    int count = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsDark(image.pixel(x, y))) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : -1.0;
}

TEST(QtDrawingSurface, ArialIsAMetricCompatibleFace) {
    QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, u"");
    const QString family = QFontInfo(surface.font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    // 10 points at 96 dpi is 13 pixels; Arial's capital A is two thirds of that.
    EXPECT_NEAR(surface.TextWidth(u"A"), 13 * 1366 / 2048.0, 0.5);
}

TEST(QtDrawingSurface, TextHangsFromThePointInTheForeColour) {
    const QImage image = Render(u"<font color=#ff0000>W\r<sub>W");
    const QRect first = Ink(image, Qt::white, QRect(0, 0, 297, 16));
    EXPECT_GE(first.top(), 0);
    EXPECT_GE(first.left(), 1); // a glyph may overhang its origin by a pixel
    EXPECT_EQ(Ink(image, Qt::white, QRect(0, 16, 297, 9)).top(), first.top() + 17);
    // Edges blend into the white, but the strokes are strongly red, and
    // nothing of another hue is drawn.
    EXPECT_GT(PixelsWhere(image, [](QRgb p) { return qRed(p) == 255 && qGreen(p) < 64; }).height(),
              6);
    EXPECT_TRUE(PixelsWhere(image, [](QRgb p) {
                    return qGreen(p) != qBlue(p) || qRed(p) < qGreen(p);
                }).isNull());
}

TEST(QtDrawingSurface, Styles) {
    const QImage plain = Render(u"HHH");
    const QRect letters = Ink(plain);
    const auto dark = [](const QImage& image) { return CountPixels(image, IsDark); };

    EXPECT_GT(dark(Render(u"<b>HHH")), dark(plain) * 5 / 4) << "bold";

    const QRect under = Changed(plain, Render(u"<u>HHH"));
    EXPECT_GT(under.top(), letters.bottom()) << "underline below the baseline";
    EXPECT_LE(under.height(), 2);
    EXPECT_GT(under.width(), letters.width() * 9 / 10);

    const QRect through = Changed(plain, Render(u"<s>HHH"));
    EXPECT_GT(through.top(), letters.top() + 2) << "strikethrough through the middle";
    EXPECT_LT(through.bottom(), letters.bottom() - 2);
    EXPECT_LE(through.height(), 2);
    EXPECT_GT(through.width(), letters.width() * 9 / 10);

    // A vertical stroke leans right at the top in italics, and only there.
    for (const auto& [markup, lean] : {std::pair{u"l", 0.0}, std::pair{u"<i>l", 1.5}}) {
        const QImage image = Render(markup);
        const QRect ink = Ink(image);
        EXPECT_NEAR(MeanDarkColumn(image, ink.top(), ink.top() + 2) -
                        MeanDarkColumn(image, ink.bottom() - 2, ink.bottom()),
                    lean, 0.6)
            << "italic";
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
    EXPECT_LT(accent.bottom(), e.top() + 1);
    EXPECT_GE(accent.left(), e.left() - 1);
    EXPECT_LE(accent.right(), e.right() + 1);
}

TEST(QtDrawingSurface, ClsClearsToTheBackground) {
    const QColor grey(0xC0, 0xC0, 0xC0);
    QtDrawingSurface surface(kPreviewBox, grey);
    VexoFade::RenderMarkupPreview(surface, u"Hello");
    const QRect hello = Ink(surface.image(), grey);
    EXPECT_FALSE(hello.isNull());
    surface.Cls();
    EXPECT_TRUE(Ink(surface.image(), grey).isNull());
    VexoFade::RenderMarkupPreview(surface, u"i"); // every render starts afresh
    EXPECT_LT(Ink(surface.image(), grey).width(), hello.width() / 2);
}

TEST(QtDrawingSurface, KeepsTheUnitItIsGivenAndTheLastFormatting) {
    QtDrawingSurface surface(kPreviewBox);
    surface.SetScaleMode(7);
    VexoFade::RenderMarkupPreview(surface, u"<b>x");
    EXPECT_EQ(surface.ScaleMode(), 7);
    EXPECT_TRUE(surface.autoRedraw());
    EXPECT_TRUE(surface.font().bold());
}

TEST(QtDrawingSurface, FaceNamesFromMarkup) {
    QtDrawingSurface surface(kPreviewBox);
    // The closing quote that the markup leaves on the name is dropped.
    VexoFade::RenderMarkupPreview(surface, u"<font face=\"Courier New\">");
    EXPECT_EQ(surface.font().family(), "courier new");
    EXPECT_FLOAT_EQ(surface.TextWidth(u"i"), surface.TextWidth(u"W")); // monospaced
    // A face tag with an empty name keeps the face.
    VexoFade::RenderMarkupPreview(surface, u"<font face=\"\">");
    EXPECT_EQ(surface.font().family(), "Arial");
}

TEST(QtDrawingSurface, ExtentCoversEverythingPrintedEvenOffTheImage) {
    QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, u"");
    EXPECT_EQ(surface.DrawnExtent(), QSize(0, 0));

    const std::u16string markup = std::u16string(100, u'W') + u"\rW";
    VexoFade::RenderMarkupPreview(surface, markup);
    const QSize extent = surface.DrawnExtent();
    const float lineWidth = surface.TextWidth(u"W") * 100;
    EXPECT_GE(extent.width(), 2 + lineWidth);
    EXPECT_LE(extent.width(), 2 + lineWidth + 4);
    EXPECT_GE(Ink(surface.image()).right(), kPreviewBox.width() - 14); // drawn up to the edge

    // Drawn again at that size, the ink fits inside with nothing cut.
    surface.Resize(extent);
    VexoFade::RenderMarkupPreview(surface, markup);
    const QRect ink = Ink(surface.image());
    EXPECT_LT(ink.right(), extent.width() - 1);
    EXPECT_LT(ink.bottom(), extent.height() - 1);
    EXPECT_GT(ink.right(), 2 + lineWidth - 3);
}

} // namespace
} // namespace Chromell
