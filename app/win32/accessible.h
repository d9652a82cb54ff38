#pragma once

#include "windows_api.h"

#include <string_view>

namespace Chromell::Win32 {

// Gives a control the name and description that a screen reader says of it,
// through Active Accessibility's property service (the window's own text
// names nothing on a scroll bar or a swatch). Where the service is missing,
// the control keeps the defaults. COM must be set up on the calling thread.
void SetAccessibleText(HWND control, std::u16string_view name, std::u16string_view description);

} // namespace Chromell::Win32
