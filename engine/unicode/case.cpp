#include "engine/unicode/case.h"

namespace VexoFade {

// Interim: A to Z only until the case tables land.
char32_t SimpleLowercase(char32_t code) {
    return code >= U'A' && code <= U'Z' ? code + (U'a' - U'A') : code;
}

std::u16string ToLowerSimple(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = static_cast<char16_t>(SimpleLowercase(c));
    }
    return out;
}

} // namespace VexoFade
