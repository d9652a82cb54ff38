// A stand-in for the messenger, for end-to-end tests of chromell-send under
// Wine or Windows: the windows of tests/bridge/messenger_layouts.h.
//   stand_in_messenger LOG STOP [--no-messenger | --other-case | --hung]
// LOG gets "ready" once the windows are up, then a line "event NAME MESSAGE(hex)
// posted|sent WPARAM LPARAM TEXT" per WM_SETTEXT or mouse message (TEXT: the
// hex of WM_SETTEXT's text, "-" if none). It ends once the file STOP exists,
// or after two minutes. --no-messenger opens the decoys only; --other-case
// swaps the letter case of every class; --hung takes no message until STOP.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "tests/bridge/messenger_layouts.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <windows.h>

namespace {

std::FILE* logFile = nullptr;
std::map<HWND, std::string> names;
std::map<std::string, HWND> windows;
WNDPROC systemEditProc = nullptr;
const MSG* dispatching = nullptr; // the posted message being dispatched, if any

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)) {
        const bool posted = dispatching != nullptr && dispatching->hwnd == window &&
                            dispatching->message == message;
        std::string text;
        for (auto* bytes =
                 reinterpret_cast<const unsigned char*>(message == WM_SETTEXT ? lParam : 0);
             bytes != nullptr && *bytes != 0; ++bytes) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", *bytes);
            text += hex;
        }
        std::fprintf(logFile, "event %s 0x%04X %s %llu %lld %s\n", names[window].c_str(), message,
                     posted ? "posted" : "sent", static_cast<unsigned long long>(wParam),
                     message == WM_SETTEXT ? 0LL : static_cast<long long>(lParam),
                     text.empty() ? "-" : text.c_str());
        std::fflush(logFile);
    }
    return systemEditProc != nullptr && names[window] == "im.combo.edit"
               ? CallWindowProcA(systemEditProc, window, message, wParam, lParam)
               : DefWindowProcA(window, message, wParam, lParam);
}

// Opens the window of one row; the combo box's edit field is the system's
// edit control.
bool Open(const MessengerLayouts::Row& row, bool otherCase) {
    std::string className = row.className;
    for (char& c : className) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(otherCase == (std::isupper(u) != 0) ? std::tolower(u)
                                                                  : std::toupper(u));
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className.c_str();
    const bool system = std::string(row.className) == "Edit";
    if (!system && RegisterClassA(&windowClass) == 0 &&
        GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    const HWND parent = row.parent != nullptr ? windows[row.parent] : nullptr;
    const DWORD style =
        parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND window = CreateWindowExA(0, className.c_str(), row.name, style, 10, 10, 200, 100,
                                        parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    names[window] = row.name;
    windows[row.name] = window;
    if (system) {
        systemEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
    }
    return window != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[3] : "";
    if (argc < 3 || (logFile = std::fopen(argv[1], "wb")) == nullptr) { // Unix line ends
        return 2;
    }
    const char* stopPath = argv[2];
    const auto stopped = [&] { return GetFileAttributesA(stopPath) != INVALID_FILE_ATTRIBUTES; };
    for (const auto& row : MessengerLayouts::kDecoys) {
        if (!Open(row, mode == "--other-case")) {
            return 1;
        }
    }
    for (const auto& row : MessengerLayouts::kMessenger) {
        if (mode != "--no-messenger" && !Open(row, mode == "--other-case")) {
            std::fprintf(stderr, "stand-in: could not open %s (error %lu)\n", row.name,
                         GetLastError());
            return 1;
        }
    }
    std::fprintf(logFile, "codepage %u\nready\n", GetACP());
    std::fflush(logFile);

    const DWORD startTick = GetTickCount();
    while (mode == "--hung" && !stopped()) {
        Sleep(50);
    }
    SetTimer(nullptr, 0, 50, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            if (stopped() || GetTickCount() - startTick > 120000) {
                break;
            }
            continue;
        }
        dispatching = &message;
        DispatchMessageA(&message);
        dispatching = nullptr;
    }
    std::fprintf(logFile, "exit\n");
    std::fclose(logFile);
    return 0;
}
