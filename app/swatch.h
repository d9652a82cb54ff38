#pragma once

#include "engine/color.h"

#include <QLabel>

namespace Chromell {

// A bordered, caption-less label whose background shows one colour. The
// colour is kept exactly as it was set, as an RgbColor (0x00BBGGRR).
class Swatch : public QLabel {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent = nullptr);

    VexoFade::RgbColor backColor() const { return backColor_; }
    void setBackColor(VexoFade::RgbColor color);

private:
    VexoFade::RgbColor backColor_ = 0;
};

// The screen colour of an RgbColor (its low three bytes).
QColor ToQColor(VexoFade::RgbColor color);

} // namespace Chromell
