#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainterPath>
#include <span>

class QPainter;

namespace Chromell {

// Liberation Sans (metric-compatible with Arial) at `pixels`, fully hinted.
// `smooth` false draws the glyphs without anti-aliasing, in the pen colour only.
QFont ArtFont(int pixels, bool bold, bool smooth);

// Fills `shape` with `colours` in equal bands across `axis`: the first colour
// before its start, the last beyond its end. Each band is painted over the
// ones before it, so no pixel of the shape is left out where two bands meet.
void FillBanded(QPainter& painter, const QPainterPath& shape, QLineF axis,
                std::span<const QColor> colours);

} // namespace Chromell
