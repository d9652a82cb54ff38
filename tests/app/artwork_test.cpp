// The images the program is built and installed from, as they are committed.

#include "app/core/form30_layout.h"
#include "app/qt/qt_rect.h"
#include "tests/support/pixels.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

namespace Chromell {
namespace {

using Testing::CountPixels;

constexpr QRect kCommand1 = PixelRect(Form30Layout::kCommand1);
constexpr QRect kLabel1 = PixelRect(Form30Layout::kLabel1);
constexpr QRect kLabel2 = PixelRect(Form30Layout::kLabel2);
constexpr unsigned kBackColor = Form30Layout::kBackColor;

QByteArray ArtFile(const QString& name) {
    QFile file(QStringLiteral(CHROMELL_ART_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsDrawn(QRgb pixel) {
    return (pixel & 0xFFFFFF) != kBackColor;
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void artworkIsOneGif89aPictureWith20Of32Colours() {
        const QByteArray gif = ArtFile(QStringLiteral("form30.gif"));
        // 532 x 275 with a global table of 32; then at once (no transparency
        // extension) one picture over the whole screen without a table of its own.
        QCOMPARE(gif.left(10), QByteArray("GIF89a\x14\x02\x13\x01"));
        QCOMPARE(uchar(gif[10]) & 0x87, 0x84);
        QCOMPARE(gif.mid(13 + 32 * 3, 10), QByteArray::fromHex("2C000000001402130100"));
        const QImage artwork = QImage::fromData(gif, "GIF");
        QSet<QRgb> colours;
        for (int y = 0; y < artwork.height(); ++y) {
            for (int x = 0; x < artwork.width(); ++x) {
                colours.insert(artwork.pixel(x, y));
            }
        }
        QCOMPARE(colours.size(), 20);
        QVERIFY(!IsDrawn(artwork.pixel(531, 274))); // the window's own grey, where nothing is drawn
    }

    void glyphsLieUnderTheHotspotsAndNothingUnderTheButton() {
        const QImage artwork = QImage::fromData(ArtFile(QStringLiteral("form30.gif")), "GIF");
        const auto dark = [](QRgb pixel) { return qGray(pixel) < 64; };
        QVERIFY(CountPixels(artwork, dark, kLabel1) >= 6);  // the cross
        QVERIFY(CountPixels(artwork, dark, kLabel2) >= 10); // the underscore
        // Each glyph's face fills its hotspot and stops at its edge.
        for (const QRect hotspot : {kLabel1, kLabel2}) {
            QCOMPARE(Testing::Ink(artwork, kBackColor, hotspot.adjusted(-1, -1, 1, 1)), hotspot);
            QCOMPARE(CountPixels(artwork, IsDrawn, hotspot), hotspot.width() * hotspot.height());
        }
        // The credit line and the sweep below it end before the Fade It button.
        QCOMPARE(CountPixels(artwork, IsDrawn, QRect(kCommand1.left(), 0, kCommand1.width(), 72)),
                 0);
    }

    void iconsAreTheSizesTheirNamesSay() {
        const QByteArray png = ArtFile(QStringLiteral("chromell-icon.png")); // 32 x 32, 8-bit RGB
        QCOMPARE(png.mid(12, 14), QByteArray::fromHex("4948445200000020000000200802"));
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(QStringLiteral(CHROMELL_ART_DIR "/icons/%1.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
        }
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::ArtworkTest)
#include "artwork_test.moc"
