#include "cli/std_streams.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace Chromell {

std::optional<std::size_t> StandardInput::Read(std::span<char> buffer, std::string& error) {
    while (true) {
        const ssize_t got = read(STDIN_FILENO, buffer.data(), buffer.size());
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            error = std::strerror(errno);
            return std::nullopt;
        }
    }
}

void UseBinaryOutput() {}

bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

void ReserveClosedStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // Standard input gets a descriptor open for writing only, the
            // outputs one open for reading only: each use then fails with
            // EBADF, as it would have on the closed descriptor.
            const int standIn = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
            if (standIn != fd && standIn >= 0) {
                close(standIn);
            }
        }
    }
}

} // namespace Chromell
