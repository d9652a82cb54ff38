#include "cli/std_streams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace Chromell {

std::optional<std::size_t> StandardInput::Read(std::span<char> buffer, std::string& error) {
    DWORD got = 0;
    const DWORD size = buffer.size() < 0x10000000 ? static_cast<DWORD>(buffer.size()) : 0x10000000;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer.data(), size, &got, nullptr) != 0) {
        return static_cast<std::size_t>(got);
    }
    const DWORD code = GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) {
        return 0; // the writing end is closed: the end of the input
    }
    error = "system error " + std::to_string(code);
    return std::nullopt;
}

void UseBinaryOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

bool StandardInputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

void ReserveClosedStandardDescriptors() {
    // Windows gives new files handles that never take a standard stream's place.
}

} // namespace Chromell
