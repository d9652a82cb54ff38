#pragma once

#include <QLabel>

namespace Chromell {

// An invisible label over the artwork that reacts to a click: no caption, no
// border, transparent background. It takes no keyboard focus.
class Hotspot : public QLabel {
    Q_OBJECT
public:
    explicit Hotspot(QWidget* parent = nullptr);

signals:
    // The left button went down and came up again over the hotspot.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace Chromell
