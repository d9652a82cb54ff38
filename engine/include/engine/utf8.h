#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace VexoFade {

// Where decoding stopped: the byte offset of the first byte that does not
// begin a well-formed UTF-8 sequence.
struct Utf8Error {
    std::size_t offset;
};

// Decodes strict UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
// Returns the text, or the offset of the first bad byte in `error`.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes, Utf8Error* error = nullptr);

// Appends the UTF-8 form of `text` to `out`. A lone surrogate becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);

} // namespace VexoFade
