// The window service on the Windows desktop, on user32 and kernel32.

#include "base/error.h"
#include "bridge/window_service.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <climits>
#include <string>
#include <utility>
#include <windows.h>

namespace Module1 {
namespace {

// How long a sent message may take before the send gives up. A messenger that
// has stopped answering must not freeze the program that drives it.
constexpr UINT kSendTimeoutMilliseconds = 5000;

// Window handles carry 32 significant bits; a handle widens by sign extension.
HWND ToHwnd(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}

Hwnd FromHwnd(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<INT_PTR>(window));
}

std::wstring Widen(const std::string& ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return wide;
}

// Window classes are atoms, named without regard to letter case.
bool HasClass(HWND window, const std::wstring& className) {
    wchar_t name[257];
    const int length = GetClassNameW(window, name, 257);
    return length > 0 &&
           CompareStringOrdinal(name, length, className.data(), static_cast<int>(className.size()),
                                TRUE) == CSTR_EQUAL;
}

class Win32WindowService final : public WindowService {
public:
    explicit Win32WindowService(EventPump pump) : pump_(std::move(pump)) {}

    Hwnd FindWindowA(const std::string& className) override {
        return FromHwnd(::FindWindowA(className.c_str(), nullptr));
    }

    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) override {
        if (childAfter == kNoWindow) {
            return FromHwnd(::FindWindowExA(ToHwnd(parent), nullptr, className.c_str(), nullptr));
        }
        // Searching on from a given child is done here rather than by the
        // system, because Wine's FindWindowExA finds nothing when that child
        // is of another class than the one searched for. Windows goes on
        // down the z-order from the child, and so does this walk.
        const HWND after = ToHwnd(childAfter);
        const HWND parentWindow = parent == kNoWindow ? GetDesktopWindow() : ToHwnd(parent);
        if (!IsWindow(after) || GetAncestor(after, GA_PARENT) != parentWindow) {
            return kNoWindow;
        }
        const std::wstring wanted = Widen(className);
        for (HWND next = ::GetWindow(after, GW_HWNDNEXT); next != nullptr;
             next = ::GetWindow(next, GW_HWNDNEXT)) {
            if (HasClass(next, wanted)) {
                return FromHwnd(next);
            }
        }
        return kNoWindow;
    }

    Hwnd GetWindow(Hwnd window, std::int32_t command) override {
        return FromHwnd(::GetWindow(ToHwnd(window), static_cast<UINT>(command)));
    }

    LResult SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override {
        if (window == kNoWindow) {
            return 0;
        }
        // Like SendMessageA, but a window that hangs or takes longer than the
        // timeout is given up on, and the caller learns of it. A window that
        // has gone since it was found reaches nobody, as window 0 does.
        DWORD_PTR result = 0;
        SetLastError(ERROR_SUCCESS);
        if (SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                                kSendTimeoutMilliseconds, &result) == 0 &&
            GetLastError() != ERROR_INVALID_WINDOW_HANDLE) {
            throw NotAnswering("the messenger did not answer within 5 seconds");
        }
        return static_cast<LResult>(result);
    }

    std::int32_t PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override {
        // Posting to window 0 would put the message into this thread's own
        // queue instead of reaching no window.
        if (window == kNoWindow) {
            return 0;
        }
        return ::PostMessageA(ToHwnd(window), message, wParam, lParam);
    }

    void Sleep(std::int32_t milliseconds) override {
        // Sleep takes an unsigned count in which -1 means forever; a negative
        // pause here is no pause.
        ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
    }

    void DoEvents() override {
        if (pump_) {
            pump_();
            return;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the request to quit for the program's own loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::string ToAnsi(std::u16string_view text) override {
        if (text.empty()) {
            return {};
        }
        if (text.size() > INT_MAX) {
            throw Chromell::Error(Chromell::ErrorNumber::Overflow,
                                  "The text is too long for the window system.");
        }
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int size = static_cast<int>(text.size());
        // No "best fit": a character the code page lacks becomes the default
        // character '?', not a look-alike (fullwidth U+FF1C would otherwise
        // arrive as a live '<', U+221E infinity as '8').
        constexpr DWORD kFlags = WC_NO_BEST_FIT_CHARS;
        const int length =
            WideCharToMultiByte(CP_ACP, kFlags, wide, size, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(CP_ACP, kFlags, wide, size, ansi.data(), length, nullptr, nullptr);
        return ansi;
    }

private:
    EventPump pump_;
};

} // namespace

std::unique_ptr<WindowService> CreatePlatformWindowService(EventPump pump) {
    return std::make_unique<Win32WindowService>(std::move(pump));
}

} // namespace Module1
