#pragma once

#include <QScrollBar>

namespace Chromell {

// A horizontal bar for one colour channel: 0 to 255 in steps of 1, starting
// at 0. Its value changes (and valueChanged fires) on an arrow or track
// click, on a key, or when a dragged thumb is let go, not while it is dragged.
// It takes the keyboard focus and answers the arrow, Home, End and page keys,
// which a plain scroll bar leaves to the view it scrolls, and shows a focus
// frame while it has the focus.
class ChannelBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ChannelBar(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace Chromell
