// chromell-send for Windows: takes its arguments as UTF-16 (wmain, linked with
// -municode) and delivers to the messenger on this desktop.

#include "bridge/window_service.h"
#include "cli/send_command.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <sstream>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace {

// Writes UTF-8 text to a standard handle: to a console as UTF-16, so that
// every character shows whatever the console's code page; elsewhere (a file,
// a pipe) as the UTF-8 bytes.
void WriteOut(DWORD which, const std::string& utf8) {
    const HANDLE handle = GetStdHandle(which);
    if (utf8.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD mode = 0;
    DWORD written = 0;
    const int size = static_cast<int>(utf8.size());
    if (GetConsoleMode(handle, &mode) != 0) {
        const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written, nullptr);
    } else {
        WriteFile(handle, utf8.data(), static_cast<DWORD>(size), &written, nullptr);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");
    std::vector<std::u16string_view> args;
    for (int k = 1; k < argc; ++k) {
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[k]));
    }
    const auto windows = Module1::CreatePlatformWindowService();
    std::ostringstream out;
    std::ostringstream err;
    const int status = Chromell::RunSendCommand(args, *windows, out, err);
    WriteOut(STD_OUTPUT_HANDLE, out.str());
    WriteOut(STD_ERROR_HANDLE, err.str());
    return status;
}
