#include "bridge/window_input.h"

#include "base/error.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

namespace Quillbas {

using Module1::Hwnd;
using Module1::WindowService;

void PutWindowText(WindowService& windows, Hwnd window, std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    const std::string bytes = windows.ToAnsi(text);
    windows.SendMessageA(window, Module1::kWmSetText, 0,
                         reinterpret_cast<Module1::LParam>(bytes.c_str()));
}

void ClickByPost(WindowService& windows, Hwnd window) {
    windows.PostMessageA(window, Module1::kWmLButtonDown, 0, 0);
    PauseSeconds(windows, 0.1);
    windows.PostMessageA(window, Module1::kWmLButtonUp, 0, 0);
}

void ClickBySend(WindowService& windows, Hwnd window) {
    windows.SendMessageA(window, Module1::kWmLButtonDown, 0, 0);
    windows.SendMessageA(window, Module1::kWmLButtonUp, 0, 0);
}

void PauseSeconds(WindowService& windows, double seconds) {
    // nearbyint rounds in the current mode, which the program never changes
    // from the default: to nearest, ties to even.
    const double milliseconds = std::nearbyint(seconds * 1000.0);
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (!(milliseconds >= kLowest && milliseconds <= kHighest)) { // also catches NaN
        std::ostringstream message;
        message.precision(15);
        message << "A pause of " << seconds
                << " seconds is out of range: its milliseconds must fit a signed 32-bit integer.";
        throw Chromell::Error(Chromell::ErrorNumber::Overflow, message.str());
    }
    windows.Sleep(static_cast<std::int32_t>(milliseconds));
}

} // namespace Quillbas
