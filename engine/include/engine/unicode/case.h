#pragma once

#include <string>
#include <string_view>

namespace VexoFade {

namespace detail {
char32_t SimpleLowercaseBeyondAscii(char32_t code);
} // namespace detail

// Unicode's simple lower-case mapping of one code point (one code point to
// one, no context): "Ä" gives "ä"; code points without a mapping, lone
// surrogates and values beyond U+10FFFF come back unchanged.
inline char32_t SimpleLowercase(char32_t code) {
    if (code < 0x80) {
        return code - U'A' < 26 ? code + (U'a' - U'A') : code;
    }
    return detail::SimpleLowercaseBeyondAscii(code);
}

// The text with every code point mapped by SimpleLowercase; surrogate pairs
// are mapped as one code point, lone surrogates kept.
std::u16string ToLowerSimple(std::u16string_view text);

} // namespace VexoFade
