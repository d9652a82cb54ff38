// chromell-probe: reads chromell.exe's windows for the end-to-end script,
// from another process as any program could.
//   chromell-probe text NAME   the text of the main window's control NAME (its
//                              layout name: Text1, Text2, Command1 ...)
//   chromell-probe bar NAME    the value of the channel bar NAME
//   chromell-probe origin      where the main window's client area is on the
//                              screen and its size, "X Y WIDTH HEIGHT"
//   chromell-probe focus       the layout name of the main window's control that
//                              has the keyboard focus
//   chromell-probe message     the text of the open message box titled "Chromell"
//   chromell-probe at X Y      where the window that takes the pointer at screen
//                              point X Y is and its size, "X Y WIDTH HEIGHT"
// Texts are written as UTF-8 with a newline. Exit status 1 when the window
// or the control is not there, 2 for a usage error.
#include "app/win32/control_ids.h"
#include "app/win32/windows_api.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

using namespace Chromell;

int Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    bytes += '\n';
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}

// WM_GETTEXT itself: GetWindowText does not ask another program's controls.
std::wstring TextOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND Control(HWND main, const char* name) {
    for (const Form30Layout::ControlLayout& control : Form30Layout::kControls) {
        if (control.name == name) {
            return GetDlgItem(main, Win32::ControlId(control.control));
        }
    }
    return nullptr;
}

// The message box's own text: its non-empty static controls.
int PrintMessageBox() {
    HWND box = FindWindowW(L"#32770", L"Chromell");
    if (box == nullptr) {
        return 1;
    }
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t type[16] = {};
        GetClassNameW(child, type, 16);
        if (_wcsicmp(type, L"Static") == 0) {
            text += TextOf(child);
        }
    }
    return Print(text);
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // no "\r" before each "\n"
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "message") {
        return PrintMessageBox();
    }
    if (command == "at" && argc > 3) {
        RECT rect{};
        HWND window = WindowFromPoint(POINT{std::atoi(argv[2]), std::atoi(argv[3])});
        if (window == nullptr || !GetWindowRect(window, &rect)) {
            return 1;
        }
        return Print(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
                     std::to_wstring(rect.right - rect.left) + L" " +
                     std::to_wstring(rect.bottom - rect.top));
    }
    HWND main = FindWindowW(Win32::kForm30Class, nullptr);
    if (main == nullptr) {
        return 1;
    }
    if (command == "focus") {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread);
        for (const Form30Layout::ControlLayout& control : Form30Layout::kControls) {
            if (thread.hwndFocus != nullptr &&
                thread.hwndFocus == GetDlgItem(main, Win32::ControlId(control.control))) {
                return Print(std::wstring(control.name.begin(), control.name.end()));
            }
        }
        return 1;
    }
    if (command == "origin") {
        POINT origin{0, 0};
        ClientToScreen(main, &origin);
        RECT client{};
        GetClientRect(main, &client);
        return Print(std::to_wstring(origin.x) + L" " + std::to_wstring(origin.y) + L" " +
                     std::to_wstring(client.right) + L" " + std::to_wstring(client.bottom));
    }
    HWND control = argc > 2 ? Control(main, argv[2]) : nullptr;
    if (command == "text" && control != nullptr) {
        return Print(TextOf(control));
    }
    if (command == "bar" && control != nullptr) {
        return Print(std::to_wstring(SendMessageW(control, SBM_GETPOS, 0, 0)));
    }
    std::fputs("usage: chromell-probe text|bar NAME | origin | focus | message | at X Y\n", stderr);
    return argc > 2 && (command == "text" || command == "bar") ? 1 : 2;
}
