#pragma once

#include "windows_api.h"

namespace Chromell::Win32 {

// The main window's artwork (the GIF in the program's resources), decoded by
// the system's imaging component into a 32-bit bitmap; nullptr when it cannot
// be read. COM must be set up on the calling thread. The caller deletes it.
HBITMAP LoadArtwork(HINSTANCE instance);

} // namespace Chromell::Win32
