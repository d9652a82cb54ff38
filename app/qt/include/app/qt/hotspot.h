#pragma once

#include <QAbstractButton>

namespace Chromell {

// An invisible button over the artwork: it paints nothing, so the artwork's
// word and glyph show through, and it takes no keyboard focus, as a label
// does not. Clicks, activation and accessibility are a button's.
class Hotspot : public QAbstractButton {
    Q_OBJECT
public:
    explicit Hotspot(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace Chromell
