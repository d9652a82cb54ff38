#include "app/qt/channel_bar.h"

#include "app/core/channel_bar_rules.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace Chromell {

ChannelBar::ChannelBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setRange(kChannelBarMinimum, kChannelBarMaximum);
    setSingleStep(kChannelBarSmallStep);
    setPageStep(kChannelBarLargeStep);
    setValue(kChannelBarMinimum);
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ChannelBar::keyPressEvent(QKeyEvent* event) {
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    // As a window system's own scroll bar does it: up and left go back.
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void ChannelBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

} // namespace Chromell
