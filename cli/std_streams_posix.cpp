#include "cli/std_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Chromell {

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
