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

// A standard handle: to a console as UTF-16, so that every character shows
// whatever the console's code page; elsewhere (a file, a pipe) the UTF-8
// bytes. A failed or short write is reported with the system's reason.
class HandleOutput final : public Chromell::OutputSink {
public:
    explicit HandleOutput(DWORD which) : which_(which) {}

    bool Write(std::string_view utf8, std::string& error) override {
        if (utf8.empty()) {
            return true;
        }
        const HANDLE handle = GetStdHandle(which_);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
            error = "there is no such standard handle";
            return false;
        }
        DWORD mode = 0;
        DWORD written = 0;
        const int size = static_cast<int>(utf8.size());
        bool done = false;
        if (GetConsoleMode(handle, &mode) != 0) {
            const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(length), L'\0');
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
            done = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written,
                                 nullptr) != 0 &&
                   written == static_cast<DWORD>(length);
        } else {
            done =
                WriteFile(handle, utf8.data(), static_cast<DWORD>(size), &written, nullptr) != 0 &&
                written == static_cast<DWORD>(size);
        }
        if (!done) {
            error = SystemMessage(GetLastError());
        }
        return done;
    }

private:
    static std::string SystemMessage(DWORD code) {
        char* text = nullptr;
        const DWORD length =
            FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
        std::string message = length != 0 && text != nullptr
                                  ? std::string(text, length)
                                  : "Windows error " + std::to_string(code);
        LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
            message.pop_back();
        }
        return message;
    }

    DWORD which_;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");
    std::vector<std::u16string_view> args;
    for (int k = 1; k < argc; ++k) {
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[k]));
    }
    const auto windows = Module1::CreatePlatformWindowService();
    HandleOutput out(STD_OUTPUT_HANDLE);
    std::ostringstream err;
    const int status = Chromell::RunSendCommand(args, *windows, out, err);
    // Where the messages cannot be written, there is no one left to tell.
    HandleOutput errors(STD_ERROR_HANDLE);
    std::string ignored;
    errors.Write(err.str(), ignored);
    return status;
}
