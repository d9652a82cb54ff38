#pragma once

#include "preview/qt/qt_drawing_surface.h"

#include <QFrame>

namespace Chromell {

// The preview box: a white picture box with the standard sunken border whose
// inside is a drawing surface. The markup preview draws on surface(); the
// box shows the surface's persistent image when it paints, so call update()
// after drawing. A focus frame inside the border shows the keyboard focus.
class PreviewBox : public QFrame {
    Q_OBJECT
public:
    // Places the box (outer rectangle) and sizes the surface to its inside.
    PreviewBox(QRect geometry, QWidget* parent);

    VexoFade::QtDrawingSurface& surface() { return surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    VexoFade::QtDrawingSurface surface_;
};

} // namespace Chromell
