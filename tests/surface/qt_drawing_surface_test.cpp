#include "preview/qt/qt_drawing_surface.h"
#include "preview/render_markup.h"

#include <QFontInfo>
#include <functional>
#include <gtest/gtest.h>

namespace Chromell {
namespace {

const QSize kPreviewBox(297, 25);

// Bounding box of the pixels that satisfy `wanted`; null when there are none.
QRect PixelsWhere(const QImage& image, const std::function<bool(QRgb)>& wanted) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (wanted(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

QRect Ink(const QImage& image, QColor background = Qt::white) {
    return PixelsWhere(image, [&](QRgb p) { return p != background.rgb(); });
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

QImage Render(std::u16string_view markup, QSize size = kPreviewBox) {
    QtDrawingSurface surface(size);
    VexoFade::RenderMarkupPreview(surface, markup);
    return surface.image();
}

TEST(QtDrawingSurface, ArialIsAMetricCompatibleFace) {
    QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, u"");
    surface.SetScaleMode(VexoFade::kScalePixels);
    const QString family = QFontInfo(surface.font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    // 10 points at 96 dpi is 13 pixels; Arial's capital A is two thirds of that.
    EXPECT_NEAR(surface.TextWidth(u"A"), 13 * 1366 / 2048.0, 0.5);
}

TEST(QtDrawingSurface, ColourLandsAtTheLeftMarginOnTheFirstLine) {
    const QImage image = Render(u"<font color=#ff0000>W");
    const QRect ink = Ink(image);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 1); // a glyph may overhang its origin by a pixel
    EXPECT_LE(ink.left(), 3);
    EXPECT_LE(ink.right(), 2 + 14);
    EXPECT_GE(ink.top(), 0);
    EXPECT_LE(ink.bottom(), 15);
    // Antialiasing blends the edges into the white, but the strokes are
    // strongly red, and nothing of another hue is drawn.
    EXPECT_GT(PixelsWhere(image, [](QRgb p) { return qRed(p) == 255 && qGreen(p) < 64; }).height(),
              6);
    EXPECT_TRUE(PixelsWhere(image, [](QRgb p) {
                    return qGreen(p) != qBlue(p) || qRed(p) < qGreen(p);
                }).isNull());
}

TEST(QtDrawingSurface, BoldIsWiderAndDarker) {
    QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, u"");
    const float regular = surface.TextWidth(u"n");
    surface.SetFontBold(true);
    EXPECT_GT(surface.TextWidth(u"n"), regular);

    const QRgb black = qRgb(0, 0, 0);
    EXPECT_GT(CountPixels(Render(u"<b>HHHH"), black), CountPixels(Render(u"HHHH"), black));
    EXPECT_GT(Ink(Render(u"<b>nnnn")).width(), Ink(Render(u"nnnn")).width());
}

TEST(QtDrawingSurface, LinesAre16PixelsApartAndShiftsMoveOnePixel) {
    const QRect first = Ink(Render(u"x", {297, 60}));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(Ink(Render(u"\rx", {297, 60})), first.translated(0, 16));
    EXPECT_EQ(Ink(Render(u"\r\r<sub>x", {297, 60})), first.translated(0, 33));
    EXPECT_EQ(Ink(Render(u"\r<sup>x", {297, 60})), first.translated(0, 15));
}

TEST(QtDrawingSurface, ClsClearsToTheBackground) {
    const QColor grey(0xC0, 0xC0, 0xC0);
    QtDrawingSurface surface(kPreviewBox, grey);
    VexoFade::RenderMarkupPreview(surface, u"Hello");
    EXPECT_FALSE(Ink(surface.image(), grey).isNull());
    surface.Cls();
    EXPECT_TRUE(Ink(surface.image(), grey).isNull());
    // Every render starts from a clear picture.
    VexoFade::RenderMarkupPreview(surface, u"Hello");
    const QRect hello = Ink(surface.image(), grey);
    VexoFade::RenderMarkupPreview(surface, u"i");
    EXPECT_LT(Ink(surface.image(), grey).width(), hello.width() / 2);
}

TEST(QtDrawingSurface, TwipsAreFifteenToThePixel) {
    QtDrawingSurface surface(kPreviewBox);
    VexoFade::RenderMarkupPreview(surface, u"");
    surface.SetScaleMode(VexoFade::kScalePixels);
    const float pixels = surface.TextWidth(u"m");
    surface.SetScaleMode(VexoFade::kScaleTwips);
    EXPECT_FLOAT_EQ(surface.TextWidth(u"m"), 15 * pixels);

    surface.Cls();
    surface.SetCurrentX(300);
    surface.SetCurrentY(90);
    surface.Print(u"m");
    const QRect inTwips = Ink(surface.image());
    surface.Cls();
    surface.SetScaleMode(VexoFade::kScalePixels);
    surface.SetCurrentX(20);
    surface.SetCurrentY(6);
    surface.Print(u"m");
    EXPECT_EQ(Ink(surface.image()), inTwips);
    EXPECT_GE(inTwips.left(), 19);
}

TEST(QtDrawingSurface, RendererLeavesTheUnitItFound) {
    QtDrawingSurface surface(kPreviewBox);
    ASSERT_EQ(surface.ScaleMode(), VexoFade::kScaleTwips);
    VexoFade::RenderMarkupPreview(surface, u"<b>x");
    EXPECT_EQ(surface.ScaleMode(), VexoFade::kScaleTwips);
    EXPECT_TRUE(surface.autoRedraw());
    EXPECT_TRUE(surface.font().bold()); // formatting is not put back
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

    const std::u16string line(100, u'W');
    VexoFade::RenderMarkupPreview(surface, line + u"\rW");
    const QSize extent = surface.DrawnExtent();
    surface.SetScaleMode(VexoFade::kScalePixels);
    const float lineWidth = surface.TextWidth(u"W") * 100;
    EXPECT_GE(extent.width(), 2 + lineWidth);
    EXPECT_LE(extent.width(), 2 + lineWidth + 4);
    EXPECT_GE(extent.height(), 16 + 13);
    EXPECT_LE(extent.height(), 16 + 20);
    // What fits was drawn, up to the right edge.
    EXPECT_GE(Ink(surface.image()).right(), kPreviewBox.width() - 14);

    // Drawn again at that size, the ink fits inside with nothing cut.
    surface.Resize(extent);
    VexoFade::RenderMarkupPreview(surface, line + u"\rW");
    const QRect ink = Ink(surface.image());
    EXPECT_LT(ink.right(), extent.width() - 1);
    EXPECT_LT(ink.bottom(), extent.height() - 1);
    EXPECT_GT(ink.right(), 2 + lineWidth - 3);
}

} // namespace
} // namespace Chromell
