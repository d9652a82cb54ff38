#pragma once

#include "bridge/window_service.h"

#include <string_view>

// Text and button input for other programs' windows, made of window messages.
namespace Quillbas {

// Replaces the window's whole text with `text` (WM_SETTEXT, in the 8-bit code
// page), but only when the text has at least one character; an empty text
// sends nothing and leaves the window's text as it was.
void PutWindowText(Module1::WindowService& windows, Module1::Hwnd window, std::u16string_view text);

// Posts a left-button press to the window, pauses 0.1 seconds and posts the
// release. Both messages carry wParam 0 and lParam 0 (no key flags, point 0,0).
void ClickByPost(Module1::WindowService& windows, Module1::Hwnd window);

// Sends a left-button press and then the release, with no pause between them;
// each returns once the window has handled it.
void ClickBySend(Module1::WindowService& windows, Module1::Hwnd window);

// Blocks for seconds × 1000 milliseconds, rounded to the nearest whole
// millisecond (ties to even). Raises the overflow error, without pausing, when
// that count does not fit a signed 32-bit integer.
void PauseSeconds(Module1::WindowService& windows, double seconds);

} // namespace Quillbas
