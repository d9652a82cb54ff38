#pragma once

#include "app/core/tray.h"
#include "windows_api.h"

#include <optional>

namespace Chromell::Win32 {

// The main window's icon in the notification area: uID 1, the tip
// "Chromell", and notifications as the private message kMessage (never a
// mouse message of the window's own, which a pointer over the window would
// imitate). It comes back when the shell restarts (Explorer's
// "TaskbarCreated") and goes with Remove() or the object.
class TrayIcon {
public:
    static constexpr UINT kMessage = WM_APP + 1;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    // Puts the icon up for `window`; the result is not needed: without a
    // notification area the window works on without one.
    void Add(HWND window, HICON icon);
    void Remove();

    // Whether `message` is the shell's word that it has restarted; the icon,
    // if it was up, is put up again.
    bool Readd(UINT message);

    // The pointer event of a kMessage notification's lParam; none for other
    // notifications (keyboard selection, balloons).
    static std::optional<TrayEvent> EventOf(LPARAM lParam);

private:
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
};

} // namespace Chromell::Win32
