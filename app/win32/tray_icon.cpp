#include "tray_icon.h"

#include "app/core/texts.h"

#include <algorithm>
#include <shellapi.h>

namespace Chromell::Win32 {
namespace {

NOTIFYICONDATAW Record(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 1;
    return data;
}

} // namespace

void TrayIcon::Add(HWND window, HICON icon) {
    window_ = window;
    icon_ = icon;
    NOTIFYICONDATAW data = Record(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kMessage;
    data.hIcon = icon;
    std::copy(Texts::kAppTitle.begin(), Texts::kAppTitle.end(), data.szTip);
    Shell_NotifyIconW(NIM_ADD, &data);
}

void TrayIcon::Remove() {
    if (window_ == nullptr) {
        return;
    }
    NOTIFYICONDATAW data = Record(window_);
    Shell_NotifyIconW(NIM_DELETE, &data);
    window_ = nullptr;
}

bool TrayIcon::Readd(UINT message) {
    if (message != taskbarCreated_ || taskbarCreated_ == 0) {
        return false;
    }
    if (window_ != nullptr) {
        Add(window_, icon_);
    }
    return true;
}

std::optional<TrayEvent> TrayIcon::EventOf(LPARAM lParam) {
    switch (LOWORD(lParam)) {
    case WM_MOUSEMOVE:
        return TrayEvent::Move;
    case WM_LBUTTONDOWN:
        return TrayEvent::LeftDown;
    case WM_LBUTTONUP:
        return TrayEvent::LeftUp;
    case WM_LBUTTONDBLCLK:
        return TrayEvent::LeftDoubleClick;
    case WM_RBUTTONDOWN:
        return TrayEvent::RightDown;
    case WM_RBUTTONUP:
        return TrayEvent::RightUp;
    case WM_RBUTTONDBLCLK:
        return TrayEvent::RightDoubleClick;
    case WM_MBUTTONDOWN:
        return TrayEvent::MiddleDown;
    case WM_MBUTTONUP:
        return TrayEvent::MiddleUp;
    case WM_MBUTTONDBLCLK:
        return TrayEvent::MiddleDoubleClick;
    default:
        return std::nullopt;
    }
}

} // namespace Chromell::Win32
