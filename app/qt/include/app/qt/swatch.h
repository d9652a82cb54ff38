#pragma once

#include "engine/color.h"

#include <QFrame>

namespace Chromell {

// A caption-less box with the standard control border whose background
// shows one colour. The colour is kept exactly as it was set, as an RgbColor
// (0x00BBGGRR) or a system-colour reference; a reference shows the style's
// colour of highlighted text, the one system colour the program uses.
class Swatch : public QFrame {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent = nullptr);

    VexoFade::RgbColor backColor() const { return backColor_; }
    void setBackColor(VexoFade::RgbColor color);

private:
    VexoFade::RgbColor backColor_ = 0;
};

} // namespace Chromell
