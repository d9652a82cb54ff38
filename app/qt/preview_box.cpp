#include "app/qt/preview_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace Chromell {

PreviewBox::PreviewBox(QRect geometry, QWidget* parent)
    : QFrame(parent), surface_(QSize(1, 1), QColor(Qt::white)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(geometry);
    surface_.Resize(contentsRect().size());
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), surface_.image());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect();
        focus.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void PreviewBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The box has a fixed size; a resize that changes nothing (the one sent
    // when it is first shown) must not wipe what was drawn before.
    const QSize inside = contentsRect().size();
    if (inside != surface_.image().size() && !inside.isEmpty()) {
        surface_.Resize(inside);
    }
}

} // namespace Chromell
