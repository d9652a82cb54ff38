#include "app/qt/swatch.h"

#include "app/core/colour_rows.h"
#include "preview/qt/qt_color.h"

namespace Chromell {

Swatch::Swatch(QWidget* parent) : QFrame(parent) {
    // The same border as the preview box.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    setBackColor(0);
}

void Swatch::setBackColor(VexoFade::RgbColor color) {
    backColor_ = color;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, IsSystemColorReference(color)
                                           ? colours.color(QPalette::HighlightedText)
                                           : VexoFade::ToQColor(color));
    setPalette(colours);
}

} // namespace Chromell
