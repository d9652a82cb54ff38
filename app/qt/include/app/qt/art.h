#pragma once

#include <QIcon>
#include <QImage>

namespace Chromell {

// The main window's background picture, 532 x 275, from the program's resources.
QImage Artwork();

// The program's 32 x 32 icon, used by both windows and the tray.
QIcon AppIcon();

} // namespace Chromell
