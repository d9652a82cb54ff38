#pragma once

// Pixel probes for tests that look at what was drawn on a QImage.

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>

namespace Chromell::Testing {

// Bounding box of the pixels in `area` (the whole image when null) that
// satisfy `wanted`; a null QRect when there are none (its bottom() is -1).
inline QRect PixelsWhere(const QImage& image, const std::function<bool(QRgb)>& wanted,
                         QRect area = {}) {
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (wanted(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Bounding box of whatever differs from the background.
inline QRect Ink(const QImage& image, QColor background = Qt::white, QRect area = {}) {
    const QRgb plain = background.rgb();
    return PixelsWhere(
        image, [plain](QRgb p) { return p != plain; }, area);
}

// How many pixels in `area` (the whole image when null) satisfy `wanted`.
inline int CountPixels(const QImage& image, const std::function<bool(QRgb)>& wanted,
                       QRect area = {}) {
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += wanted(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Bounding box of the pixels where two images of one size differ.
inline QRect Changed(const QImage& before, const QImage& after) {
    QRect box;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Mostly ink: darker than mid grey.
inline bool IsDark(QRgb p) {
    return qGray(p) < 128;
}

} // namespace Chromell::Testing
