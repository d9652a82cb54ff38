// Draws the main window's artwork, the windows' icon and the program icon for
// the desktop, and writes them as the files the program is built and
// installed from: OUTPUT_FOLDER/form30.gif, OUTPUT_FOLDER/chromell-icon.png
// and OUTPUT_FOLDER/icons/SIZE.png for each desktop icon size.
// Usage: chromell-make-artwork OUTPUT_FOLDER

#include "tools/artwork/artwork_painter.h"
#include "tools/artwork/gif_file.h"
#include "tools/artwork/icon_painter.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

// Replaces `path` whole or, on failure, leaves it as it was.
void WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error(qPrintable(path + QStringLiteral(": ") + file.errorString()));
    }
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        throw std::runtime_error("cannot encode a PNG");
    }
    return bytes;
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
        if (!folder.mkpath(QStringLiteral("icons"))) {
            throw std::runtime_error(qPrintable(folder.filePath(QStringLiteral("icons")) +
                                                QStringLiteral(": cannot create the folder")));
        }
        WriteFile(folder.filePath(QStringLiteral("form30.gif")),
                  Chromell::EncodeGif(Chromell::PaintArtwork()));
        WriteFile(folder.filePath(QStringLiteral("chromell-icon.png")),
                  Png(Chromell::PaintWindowIcon()));
        for (const int size : Chromell::kDesktopIconSizes) {
            WriteFile(folder.filePath(QStringLiteral("icons/%1.png").arg(size)),
                      Png(Chromell::PaintDesktopIcon(size)));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "chromell-make-artwork: %s\n", error.what());
        return 1;
    }
    std::printf("wrote the artwork and icons into %s\n", qPrintable(folder.path()));
    return 0;
}
