#include "tools/artwork/gif_file.h"

#include <gif_lib.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace Chromell {
namespace {

[[noreturn]] void Fail(const char* step, int error) {
    const char* reason = GifErrorString(error);
    throw std::runtime_error(std::string("GIF ") + step + ": " +
                             (reason != nullptr ? reason : "unknown error"));
}

int AppendToBuffer(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

} // namespace

QByteArray EncodeGif(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();

    std::vector<QRgb> colours;
    std::unordered_map<QRgb, GifPixelType> indexOf;
    std::vector<GifPixelType> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = line[x] & 0xFFFFFFu;
            auto [slot, added] = indexOf.try_emplace(colour, GifPixelType{});
            if (added) {
                if (colours.size() == 256) {
                    throw std::runtime_error("GIF: the picture has more than 256 colours");
                }
                slot->second = static_cast<GifPixelType>(colours.size());
                colours.push_back(colour);
            }
            pixels.push_back(slot->second);
        }
    }

    const int tableSize = 1 << GifBitSize(static_cast<int>(colours.size()));
    const std::unique_ptr<ColorMapObject, MapDeleter> table(GifMakeMapObject(tableSize, nullptr));
    if (!table) {
        throw std::runtime_error("GIF: out of memory for the colour table");
    }
    for (std::size_t i = 0; i < colours.size(); ++i) {
        table->Colors[i] = {static_cast<GifByteType>(qRed(colours[i])),
                            static_cast<GifByteType>(qGreen(colours[i])),
                            static_cast<GifByteType>(qBlue(colours[i]))};
    }

    QByteArray file;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&file, AppendToBuffer, &error));
    if (!gif) {
        Fail("open", error);
    }
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, table.get()) == GIF_ERROR) {
        Fail("screen", gif->Error);
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR) {
        Fail("image", gif->Error);
    }
    for (int y = 0; y < height; ++y) {
        if (EGifPutLine(gif.get(), pixels.data() + static_cast<std::ptrdiff_t>(y) * width, width) ==
            GIF_ERROR) {
            Fail("pixels", gif->Error);
        }
    }
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) {
        Fail("close", error);
    }
    return file;
}

} // namespace Chromell
