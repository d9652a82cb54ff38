#include "base/error.h"

namespace Chromell {

Error::Error(ErrorNumber number, const std::string& message)
    : std::runtime_error(message), number_(number) {}

std::string FormatCount(long long value) {
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    char buffer[32];
    char* at = buffer + sizeof buffer;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) {
            *--at = ',';
        }
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (negative) {
        *--at = '-';
    }
    return std::string(at, buffer + sizeof buffer);
}

} // namespace Chromell
