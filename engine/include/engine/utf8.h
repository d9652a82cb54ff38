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

// The length of the UTF-8 sequence a lead byte begins: 1 for ASCII (and for a
// byte that cannot lead one, which decoding refuses), else 2 to 4.
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Decodes UTF-8 that arrives in pieces, as DecodeUtf8 does the whole: a
// sequence cut by the end of a piece waits for the next.
class Utf8Stream {
public:
    // `offset`: bytes of the input before the first piece, for error offsets.
    explicit Utf8Stream(std::size_t offset = 0) : decoded_(offset) {}

    // Appends to `out` the text of what has arrived, up to its last whole
    // sequence (all of it when `end`). On a bad byte returns false and puts
    // its offset in the whole input into `error`.
    bool Decode(std::string_view bytes, bool end, std::u16string& out, Utf8Error& error);

private:
    // The start of a sequence that the next piece completes.
    std::string held_;
    // Bytes before `held_` in the whole input.
    std::size_t decoded_;
};

// Appends the UTF-8 form of `text` to `out`. A lone surrogate becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);

} // namespace VexoFade
