#include "tools/artwork/paint_helpers.h"

#include <QPainter>
#include <QTransform>

namespace Chromell {

QFont ArtFont(int pixels, bool bold, bool smooth) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (!smooth) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    return font;
}

void FillBanded(QPainter& painter, const QPainterPath& shape, QLineF axis,
                std::span<const QColor> colours) {
    // A frame whose x axis runs along `axis`, from its start.
    QTransform frame;
    frame.translate(axis.x1(), axis.y1());
    frame.rotate(-axis.angle());
    const qreal step = axis.length() / static_cast<qreal>(colours.size());
    const qreal far = 1e5;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        QPainterPath beyond;
        beyond.addRect(i == 0 ? -far : static_cast<qreal>(i) * step, -far, 2 * far, 2 * far);
        painter.fillPath(shape.intersected(frame.map(beyond)), colours[i]);
    }
}

} // namespace Chromell
