// chromell-send for Windows: takes its arguments as UTF-16 (wmain, linked with
// -municode) and delivers to the messenger on this desktop.

#include "bridge/window_service.h"
#include "cli/send_command.h"

#include <iostream>
#include <string_view>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");
    std::vector<std::u16string_view> args;
    for (int k = 1; k < argc; ++k) {
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[k]));
    }
    const auto windows = Module1::CreatePlatformWindowService();
    return Chromell::RunSendCommand(args, *windows, std::cout, std::cerr);
}
