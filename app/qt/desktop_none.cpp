#include "app/qt/desktop.h"

// Desktops without X11: Qt finds the display itself, and the compositor keeps
// its own list of windows (a Wayland window has no taskbar hints).
namespace Chromell {

QString DisplayProblem() {
    return {};
}

void SetTaskbarEntry(QWidget& /*window*/, bool /*entry*/) {}

} // namespace Chromell
