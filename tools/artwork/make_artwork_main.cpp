// Draws the main window's artwork and the program icon and writes them, as
// the GIF and PNG files the program's resources are built from.
// Usage: chromell-make-artwork OUTPUT_FOLDER

#include "tools/artwork/artwork_painter.h"
#include "tools/artwork/gif_writer.h"
#include "tools/artwork/quantize.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chromell-make-artwork OUTPUT_FOLDER\n");
        return 2;
    }
    // Fonts are all this needs of a window system.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    try {
        // Background grey and black first, so both come out exactly.
        const QRgb fixed[] = {qRgb(0xC0, 0xC0, 0xC0), qRgb(0, 0, 0), qRgb(0xFF, 0xFF, 0xFF)};
        const Chromell::IndexedPicture art =
            Chromell::Quantize(Chromell::PaintArtwork(), 32, fixed);
        const std::vector<std::uint8_t> gif =
            Chromell::EncodeGif89a(art.width, art.height, art.palette, art.pixels);
        const QString gifPath = folder.filePath(QStringLiteral("form30.gif"));
        if (!WriteFile(gifPath, QByteArray(reinterpret_cast<const char*>(gif.data()),
                                           static_cast<qsizetype>(gif.size())))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(gifPath));
            return 1;
        }

        const QString iconPath = folder.filePath(QStringLiteral("chromell-icon.png"));
        if (!Chromell::PaintIcon(32).save(iconPath, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(iconPath));
            return 1;
        }
        std::printf("wrote %s (%zu colours) and %s\n", qPrintable(gifPath), art.palette.size(),
                    qPrintable(iconPath));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "chromell-make-artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
