// The GIF encoder against Qt's own GIF reader, and the images the program ships.

#include "tools/artwork/gif_writer.h"
#include "tools/artwork/quantize.h"
#include "app/form30_layout.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <stdexcept>

namespace Chromell {
namespace {

QImage Decode(const std::vector<std::uint8_t>& gif) {
    return QImage::fromData(
        QByteArray(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size())),
        "GIF");
}

QByteArray Resource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int DarkPixels(const QImage& image, QRect area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            dark += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
        }
    }
    return dark;
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void gifReadsBackPixelForPixel_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("colours");
        QTest::addColumn<bool>("noise");
        QTest::newRow("one pixel") << 1 << 1 << 2 << false;
        QTest::newRow("two colours, stripes") << 7 << 3 << 2 << false;
        QTest::newRow("odd table, padded") << 13 << 11 << 5 << true;
        // Noise fills the 4,096-entry code table many times over.
        QTest::newRow("32 colours, noise") << 300 << 200 << 32 << true;
        QTest::newRow("256 colours, noise") << 257 << 129 << 256 << true;
        QTest::newRow("one long run") << 1000 << 100 << 4 << false;
    }

    void gifReadsBackPixelForPixel() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, colours);
        QFETCH(bool, noise);
        QRandomGenerator random(42);
        std::vector<std::uint32_t> palette;
        for (int i = 0; i < colours; ++i) {
            palette.push_back(random.generate() & 0xFFFFFF);
        }
        std::vector<std::uint8_t> pixels;
        for (int i = 0; i < width * height; ++i) {
            pixels.push_back(static_cast<std::uint8_t>(
                noise ? random.bounded(colours) : (i / width + (i % width) / 5) % colours));
        }
        const std::vector<std::uint8_t> gif = EncodeGif89a(width, height, palette, pixels);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(gif.data()), 6), QByteArray("GIF89a"));

        const QImage image = Decode(gif);
        QCOMPARE(image.size(), QSize(width, height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t want = palette[pixels[static_cast<std::size_t>(y * width + x)]];
                if ((image.pixel(x, y) & 0xFFFFFF) != want) {
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
                }
            }
        }
    }

    void gifRefusesWhatItCannotWrite() {
        const std::vector<std::uint32_t> two = {0, 0xFFFFFF};
        const std::vector<std::uint8_t> four(4, 0);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EncodeGif89a(2, 3, two, four));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EncodeGif89a(0, 0, two, {}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 EncodeGif89a(2, 2, std::vector<std::uint32_t>{0}, four));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 EncodeGif89a(2, 2, std::vector<std::uint32_t>(257), four));
        const std::vector<std::uint8_t> outOfTable = {0, 1, 2, 0};
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, EncodeGif89a(2, 2, two, outOfTable));
    }

    void quantizingKeepsTheFixedColoursAndTheBudget() {
        QImage ramp(256, 8, QImage::Format_RGB32);
        for (int x = 0; x < 256; ++x) {
            for (int y = 0; y < 8; ++y) {
                ramp.setPixel(x, y, y == 0 ? qRgb(0xC0, 0xC0, 0xC0) : qRgb(x, 255 - x, y * 30));
            }
        }
        const QRgb fixed[] = {qRgb(0xC0, 0xC0, 0xC0), qRgb(0, 0, 0)};
        const IndexedPicture indexed = Quantize(ramp, 32, fixed);
        QCOMPARE(indexed.palette.size(), std::size_t{32});
        QCOMPARE(indexed.palette[0], 0xC0C0C0u);
        for (int x = 0; x < 256; ++x) {
            QCOMPARE(int(indexed.pixels[static_cast<std::size_t>(x)]), 0);
        }
        // Every pixel lands near its colour: 30 table entries for ~1,800 colours.
        for (int y = 1; y < 8; ++y) {
            for (int x = 0; x < 256; ++x) {
                const std::uint32_t got =
                    indexed.palette[indexed.pixels[static_cast<std::size_t>(y * 256 + x)]];
                const QRgb want = ramp.pixel(x, y);
                QVERIFY(std::abs(int(got >> 16) - qRed(want)) <= 48);
                QVERIFY(std::abs(int(got & 0xFF) - qBlue(want)) <= 48);
            }
        }
    }

    void artworkIsASmallGifWithGlyphsUnderTheHotspots() {
        const QByteArray gif = Resource(QStringLiteral(":/chromell/form30.gif"));
        QVERIFY(gif.startsWith("GIF89a"));
        QCOMPARE(uchar(gif[6]) | uchar(gif[7]) << 8, 532);
        QCOMPARE(uchar(gif[8]) | uchar(gif[9]) << 8, 275);
        const int packed = uchar(gif[10]);
        QVERIFY(packed & 0x80);             // a global colour table
        QVERIFY((2 << (packed & 7)) <= 32); // of at most 32 entries

        const QImage artwork = QImage::fromData(gif, "GIF");
        QCOMPARE(artwork.size(), Form30Layout::kArtworkSize);
        QVERIFY(DarkPixels(artwork, Form30Layout::kLabel1) >= 6);  // the cross
        QVERIFY(DarkPixels(artwork, Form30Layout::kLabel2) >= 10); // the underscore
        // Where no control or wording sits, the window's grey shows.
        QCOMPARE(artwork.pixel(531, 274) & 0xFFFFFF, 0xC0C0C0u);
        QCOMPARE(artwork.pixel(400, 100) & 0xFFFFFF, 0xC0C0C0u);
    }

    void iconIs32PixelsIn24BitColour() {
        const QByteArray png = Resource(QStringLiteral(":/chromell/chromell-icon.png"));
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(uchar(png[24]), uchar(8)); // bits per channel
        QCOMPARE(uchar(png[25]), uchar(2)); // RGB, no alpha
        QCOMPARE(QImage::fromData(png).size(), QSize(32, 32));
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::ArtworkTest)
#include "artwork_test.moc"
