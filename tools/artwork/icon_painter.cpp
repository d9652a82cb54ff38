#include "tools/artwork/icon_painter.h"

#include "tools/artwork/artwork_palette.h"
#include "tools/artwork/paint_helpers.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace Chromell {
namespace {

using namespace ArtworkPalette;

const QColor kIconRed(0xE8, 0x20, 0x30);
const QColor kIconGreen(0x20, 0xB0, 0x40);
const QColor kIconBlue(0x20, 0x50, 0xE8);

// One size of the icon on the pixel grid, in whole pixels: the clear margin
// around the face, the face's border and corner radius, the ring's outer
// radius and stroke, and the dark outline around the ring (0: none). The
// ring is centred on the middle of an even-sized icon, so its outer and inner
// edges lie on pixel boundaries at the top, bottom and left.
struct IconGrid {
    int size;
    int margin;
    int border;
    int corner;
    int ring;
    int stroke;
    int outline;
};

constexpr IconGrid kGrids[] = {
    {16, 0, 1, 3, 5, 2, 0},   {22, 1, 1, 4, 7, 3, 1},     {24, 1, 1, 4, 7, 3, 1},
    {32, 1, 1, 5, 10, 4, 1},  {44, 0, 1, 7, 14, 5, 1},    {48, 2, 1, 7, 14, 6, 1},
    {64, 2, 2, 10, 19, 8, 2}, {128, 4, 3, 20, 38, 15, 3}, {256, 8, 6, 40, 76, 30, 6},
};

const IconGrid& GridFor(int size) {
    const auto* grid = std::find_if(std::begin(kGrids), std::end(kGrids),
                                    [size](const IconGrid& g) { return g.size == size; });
    if (grid == std::end(kGrids)) {
        throw std::invalid_argument("no icon drawing for " + std::to_string(size) + " pixels");
    }
    return *grid;
}

// `smooth`: anti-aliased with a smooth shade; otherwise aliased, in the
// artwork's palette.
void DrawIcon(QPainter& painter, const IconGrid& grid, bool smooth) {
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    const qreal inset = grid.margin + grid.border / 2.0;
    const qreal side = grid.size - 2.0 * inset;
    QPainterPath face;
    face.addRoundedRect(QRectF(inset, inset, side, side), grid.corner, grid.corner);
    const QLineF diagonal(inset, inset, inset + side, inset + side);
    if (smooth) {
        QLinearGradient shade(diagonal.p1(), diagonal.p2());
        shade.setColorAt(0.0, kIconRed);
        shade.setColorAt(0.5, kIconGreen);
        shade.setColorAt(1.0, kIconBlue);
        painter.fillPath(face, shade);
    } else {
        FillBanded(painter, face, diagonal, kIconBands);
    }
    painter.strokePath(face, QPen(kDark, grid.border));

    // The "C": a ring open to the right, its ends cut square.
    const qreal middle = grid.ring - grid.stroke / 2.0;
    const QRectF path(grid.size / 2.0 - middle, grid.size / 2.0 - middle, 2 * middle, 2 * middle);
    QPainterPath arc;
    arc.arcMoveTo(path, 45);
    arc.arcTo(path, 45, 270);
    QPainterPathStroker stroker;
    stroker.setWidth(grid.stroke);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath letter = stroker.createStroke(arc).simplified();
    if (grid.outline > 0) {
        // Half of this pen lies under the white, so the outline shows `outline` wide.
        painter.strokePath(
            letter, QPen(kDark, 2 * grid.outline, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    }
    painter.fillPath(letter, kWhite);
}

} // namespace

QImage PaintDesktopIcon(int size) {
    const IconGrid& grid = GridFor(size);
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    DrawIcon(painter, grid, true);
    return icon;
}

void PaintLogoIcon(QPainter& painter, QPoint topLeft) {
    painter.save();
    painter.translate(topLeft);
    DrawIcon(painter, GridFor(44), false);
    painter.restore();
}

QImage PaintWindowIcon() {
    const int size = 32;
    QImage icon(size, size, QImage::Format_RGB888);
    icon.fill(kGrey);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient bands(face.topLeft(), face.bottomRight());
    bands.setColorAt(0.0, kIconRed);
    bands.setColorAt(0.5, kIconGreen);
    bands.setColorAt(1.0, kIconBlue);
    painter.setBrush(bands);
    painter.setPen(QPen(kDark, 1));
    painter.drawRoundedRect(face, size / 6.0, size / 6.0);

    QPainterPath c;
    c.addText(0, 0, ArtFont(size * 3 / 4, true, true), QStringLiteral("C"));
    const QRectF bounds = c.boundingRect();
    c.translate(size / 2.0 - bounds.center().x(), size / 2.0 - bounds.center().y());
    painter.setBrush(Qt::white);
    painter.setPen(QPen(kDark, size / 24.0));
    painter.drawPath(c);
    return icon;
}

} // namespace Chromell
