#include "app/qt/desktop.h"

// Desktops without X11: Qt finds the display itself, and a tool window has no
// taskbar button.
namespace Chromell {

QString DisplayProblem() {
    return {};
}

void KeepOffTaskbar(QWidget& /*window*/) {}

} // namespace Chromell
