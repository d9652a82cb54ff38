#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// Module1: the window-system functions the messenger bridge calls, behind an
// interface, so that the bridge runs against the real desktop on Windows, a
// service that finds nothing elsewhere, and an in-memory window tree in tests.
namespace Module1 {

// A window handle as the bridge holds it: a signed 32-bit number, 0 for no
// window. Windows keeps every window handle within 32 bits, also in 64-bit
// processes.
using Hwnd = std::int32_t;
inline constexpr Hwnd kNoWindow = 0;

using Message = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// The messages and the GetWindow command the bridge uses, with their Windows
// values.
inline constexpr Message kWmSetText = 0x000C;
inline constexpr Message kWmLButtonDown = 0x0201;
inline constexpr Message kWmLButtonUp = 0x0202;
inline constexpr std::int32_t kGwHwndNext = 2;

// Raised by SendMessageA when the window did not handle the message: its
// program hangs or did not answer in time. The message may still be handled
// later, when that program wakes up.
class NotAnswering : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Handles every event already waiting for the program's own windows, then
// returns. The desktop program passes one that runs its toolkit's event loop
// once (e.g. QCoreApplication::processEvents).
using EventPump = std::function<void()>;

// The platform operations, each with the effect of the user32/kernel32
// function of the same name. Class names and texts are 8-bit text in the
// system's ANSI code page (see ToAnsi). Results are never required to be
// looked at; a missing window is 0 and 0 passed on is harmless.
class WindowService {
public:
    virtual ~WindowService() = default;

    // The topmost top-level window of the class (any title), or 0. Class names
    // compare without regard to letter case.
    virtual Hwnd FindWindowA(const std::string& className) = 0;

    // The first direct child of `parent` of the class (any title) that comes
    // after `childAfter` in z-order, whatever the class of `childAfter`; with a
    // `childAfter` of 0, the first such child. A `parent` of 0 searches the
    // top-level windows. 0 when there is none.
    virtual Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) = 0;

    // With kGwHwndNext: the sibling just below `window` in z-order, or 0 (also
    // for a window of 0).
    virtual Hwnd GetWindow(Hwnd window, std::int32_t command) = 0;

    // Sends the message and returns once the window has handled it. With
    // kWmSetText, `lParam` is the address of a NUL-terminated 8-bit text. A
    // message to window 0, or to a window that is gone, reaches no window.
    // Raises NotAnswering when the window's program hangs or does not answer
    // within a few seconds.
    virtual LResult SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) = 0;

    // Queues the message for the window and returns at once; nonzero if queued.
    // A message to window 0 reaches no window.
    virtual std::int32_t PostMessageA(Hwnd window, Message message, WParam wParam,
                                      LParam lParam) = 0;

    // Blocks the calling thread for the given number of milliseconds; a
    // negative count is no pause (Windows would read -1 as "forever").
    virtual void Sleep(std::int32_t milliseconds) = 0;

    // Lets the program's own user interface handle its pending events once.
    virtual void DoEvents() = 0;

    // The text in the 8-bit code page the A functions expect. Characters the
    // code page lacks come out as '?', never as a look-alike (fullwidth U+FF1C is not '<').
    virtual std::string ToAnsi(std::u16string_view text) = 0;
};

// The service of the platform the program was built for: on Windows the real
// desktop (user32 and kernel32), elsewhere a service that finds no windows, so
// that every delivery runs to its end and reaches nobody. `pump` is run by
// DoEvents; without one, the Windows service dispatches the calling thread's
// pending window messages and the other does nothing.
std::unique_ptr<WindowService> CreatePlatformWindowService(EventPump pump = {});

} // namespace Module1
