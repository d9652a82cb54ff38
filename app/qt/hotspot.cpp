#include "app/qt/hotspot.h"

namespace Chromell {

Hotspot::Hotspot(QWidget* parent) : QAbstractButton(parent) {
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void Hotspot::paintEvent(QPaintEvent* /*event*/) {}

} // namespace Chromell
