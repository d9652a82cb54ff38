#include "cli/std_streams.h"

#include <cstdio>
#include <io.h>

namespace Chromell {

bool StandardInputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

void ReserveClosedStandardDescriptors() {
    // Windows gives new files handles that never take a standard stream's place.
}

} // namespace Chromell
