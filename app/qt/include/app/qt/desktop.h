#pragma once

#include <QString>

class QWidget;

// What the program needs from the desktop it runs on beyond Qt. On X11 these
// talk to the X server; elsewhere there is nothing to do.
namespace Chromell {

// Why the program cannot reach a display, or an empty string when it can (or
// needs none). Call it before the QApplication is made: Qt aborts when its
// platform cannot start.
QString DisplayProblem();

// Gives a top-level window its taskbar and pager entry (as a normal window),
// or keeps it off both (as a utility window, Qt's tool window).
// Call it before the window is mapped, whenever the choice changes, and again
// whenever the window is mapped anew (after a restore): window managers drop
// the state of a window that was withdrawn.
void SetTaskbarEntry(QWidget& window, bool entry);

} // namespace Chromell
