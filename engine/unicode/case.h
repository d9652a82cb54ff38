#pragma once

#include <string>
#include <string_view>

namespace VexoFade {

// Unicode's simple lower-case mapping of one code point.
char32_t SimpleLowercase(char32_t code);

// The text with every code point mapped by SimpleLowercase; surrogate pairs
// are mapped as one code point, lone surrogates kept.
std::u16string ToLowerSimple(std::u16string_view text);

} // namespace VexoFade
