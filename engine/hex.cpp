#include "engine/hex.h"

#include <cmath>

namespace VexoFade {

std::u16string ColorToHex6(std::int32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    char16_t buffer[8];
    std::size_t length = 0;
    do {
        buffer[7 - length++] = kDigits[bits & 0xFu];
        bits >>= 4;
    } while (bits != 0);
    std::u16string out;
    out.reserve(length < 6 ? 6 : length);
    out.append(length < 6 ? 6 - length : 0, u'0');
    out.append(buffer + 8 - length, buffer + 8);
    return out;
}

std::int16_t HexDigitValue(std::u16string_view digit) {
    if (digit.size() != 1) {
        return 0;
    }
    const char16_t c = digit.front();
    if (c >= u'0' && c <= u'9') {
        return static_cast<std::int16_t>(c - u'0');
    }
    if (c >= u'A' && c <= u'F') {
        return static_cast<std::int16_t>(c - u'A' + 10);
    }
    return 0;
}

float HexToNumber(std::u16string_view text) {
    if (text.size() > 8) {
        text.remove_prefix(text.size() - 8);
    }
    float total = 0.0f;
    double weight = 1.0;
    // Least significant digit first; each partial sum is rounded to single
    // precision, which is what makes "FFFFFFFF" come out as 2^32.
    for (std::size_t i = text.size(); i-- > 0;) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
        const std::int16_t d = HexDigitValue(std::u16string_view(&c, 1));
        total = static_cast<float>(static_cast<double>(total) + d * weight);
        weight *= 16.0;
    }
    return total;
}

} // namespace VexoFade
