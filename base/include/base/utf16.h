#pragma once

#include <cstddef>
#include <string_view>

namespace Chromell {

// The surrogate rules of UTF-16, in one place for every library.
constexpr bool IsHighSurrogate(char16_t c) {
    return (c & 0xFC00) == 0xD800;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return (c & 0xFC00) == 0xDC00;
}
constexpr bool IsSurrogate(char16_t c) {
    return (c & 0xF800) == 0xD800;
}

// True when a high and a low surrogate stand together at `at`.
constexpr bool IsSurrogatePair(std::u16string_view text, std::size_t at) {
    return at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
}

// Units that make up the code point at `at`: 2 for a surrogate pair, else 1
// (a lone surrogate counts as one code point of its own).
constexpr std::size_t CodePointLength(std::u16string_view text, std::size_t at) {
    return IsSurrogatePair(text, at) ? 2 : 1;
}

// The code point at `at`; a lone surrogate is returned as it is.
constexpr char32_t CodePointAt(std::u16string_view text, std::size_t at) {
    if (IsSurrogatePair(text, at)) {
        return 0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) +
               (static_cast<char32_t>(text[at + 1]) - 0xDC00);
    }
    return text[at];
}

// Writes the code point (at most U+10FFFF) as one unit or a surrogate pair
// and returns the position after it.
constexpr char16_t* WriteCodePoint(char32_t code, char16_t* out) {
    if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
        return out;
    }
    code -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (code >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    return out;
}

} // namespace Chromell
