#include "engine/utf8.h"

#include "base/utf16.h"
#include "engine/ascii_blocks.h"

#include <algorithm>
#include <cstdint>

namespace VexoFade {
namespace {

// Both directions go through a buffer on the stack, handed on in pieces small
// enough to be copied by vector moves: the string is written once, and never
// filled with zeros first.
constexpr std::size_t kPiece = 2048; // bytes

// Whether both bytes are continuation bytes (10xxxxxx).
bool AreContinuations(unsigned first, unsigned second) {
    return (((first & 0xC0u) ^ 0x80u) | ((second & 0xC0u) ^ 0x80u)) == 0;
}

} // namespace

std::optional<std::u16string> DecodeUtf8(std::string_view bytes, Utf8Error* error) {
    constexpr std::size_t kUnits = kPiece / sizeof(char16_t);
    constexpr std::size_t kBlock = kAsciiBlock;
    char16_t buffer[kUnits];
    std::u16string out;
    out.reserve(bytes.size()); // never more units than bytes
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t at = 0;
    char16_t* dst = buffer;
    while (at < size) {
        // Room for a block of ASCII and then a block of sequences, a unit a
        // byte at the most (the last may run three bytes past the block).
        if (dst + 3 * kBlock > buffer + kUnits) {
            out.append(buffer, dst);
            dst = buffer;
        }
        const auto room = static_cast<std::size_t>(buffer + kUnits - dst) - 2 * kBlock;
        const std::size_t ascii =
            WidenAsciiPrefix(bytes.data() + at, std::min(size - at, room), dst);
        dst += ascii;
        at += ascii;
        // Then a block byte by byte: in most scripts words are short and
        // only a blank or a mark of punctuation stands between them. A
        // sequence may end past the block.
        const unsigned char* p = src + at;
        const unsigned char* const stop = src + std::min(size, at + kBlock);
        const unsigned char* const end = src + size;
        while (p < stop) {
            const unsigned lead = *p;
            if (lead < 0x80) {
                *dst++ = static_cast<char16_t>(lead);
                ++p;
            } else if (lead - 0xC2u <= 0xDFu - 0xC2u && end - p >= 2 &&
                       AreContinuations(p[1], 0x80)) {
                *dst++ = static_cast<char16_t>(((lead & 0x1Fu) << 6) | (p[1] & 0x3Fu));
                p += 2;
            } else if ((lead & 0xF0u) == 0xE0u && end - p >= 3 && AreContinuations(p[1], p[2])) {
                const unsigned code =
                    ((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
                if (code < 0x800 || (code & 0xF800u) == 0xD800u) {
                    break; // overlong, or a surrogate
                }
                *dst++ = static_cast<char16_t>(code);
                p += 3;
            } else if (lead - 0xF0u <= 4u && end - p >= 4 && AreContinuations(p[1], p[2]) &&
                       AreContinuations(p[3], 0x80)) {
                const char32_t code = ((lead & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) |
                                      ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
                if (code < 0x10000 || code > 0x10FFFF) {
                    break;
                }
                dst = Chromell::WriteCodePoint(code, dst);
                p += 4;
            } else {
                break;
            }
        }
        at = static_cast<std::size_t>(p - src);
        if (p < stop) {
            if (error != nullptr) {
                error->offset = at;
            }
            return std::nullopt;
        }
    }
    out.append(buffer, dst);
    return out;
}

namespace {

// How many of the bytes end with a whole sequence: the last one is held back
// if its lead byte asks for more bytes than have come.
std::size_t WholeSequences(std::string_view bytes) {
    for (std::size_t back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            return Utf8SequenceLength(byte) > back ? bytes.size() - back : bytes.size();
        }
    }
    return bytes.size();
}

} // namespace

bool Utf8Stream::Decode(std::string_view bytes, bool end, std::u16string& out, Utf8Error& error) {
    const auto fail = [&](std::size_t offset) {
        error.offset = decoded_ + offset;
        return false;
    };
    if (!held_.empty()) {
        // Complete the held sequence from the new bytes, and decode it alone.
        const std::size_t wanted = Utf8SequenceLength(static_cast<unsigned char>(held_[0]));
        const std::size_t taken = std::min(wanted - held_.size(), bytes.size());
        held_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (held_.size() < wanted && !end) {
            return true;
        }
        Utf8Error bad{};
        auto text = DecodeUtf8(held_, &bad);
        if (!text) {
            return fail(bad.offset);
        }
        out.append(*text);
        decoded_ += held_.size();
        held_.clear();
    }
    const std::size_t whole = end ? bytes.size() : WholeSequences(bytes);
    Utf8Error bad{};
    auto text = DecodeUtf8(bytes.substr(0, whole), &bad);
    if (!text) {
        return fail(bad.offset);
    }
    if (out.empty()) {
        out = std::move(*text);
    } else {
        out.append(*text);
    }
    decoded_ += whole;
    held_.assign(bytes.substr(whole));
    return true;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
    constexpr std::size_t kBlock = kAsciiBlock;
    char buffer[kPiece];
    char* dst = buffer;
    out.reserve(out.size() + text.size());
    const char16_t* src = text.data();
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        // Room for a block of ASCII and then a block of other units, three
        // bytes a unit at the most (a surrogate pair at its end takes four).
        if (dst + 5 * kBlock > buffer + kPiece) {
            out.append(buffer, dst);
            dst = buffer;
        }
        const auto room = static_cast<std::size_t>(buffer + kPiece - dst) - 4 * kBlock;
        const std::size_t ascii = NarrowAsciiPrefix(src + at, std::min(size - at, room), dst);
        dst += ascii;
        at += ascii;
        // Unit by unit up to the next ASCII there is a block of (or the end).
        const std::size_t stop = std::min(size, at + kBlock);
        while (at < stop) {
            std::uint32_t code = src[at];
            if (code < 0x80) {
                if (size - at >= kBlock) {
                    break;
                }
                *dst++ = static_cast<char>(code);
                ++at;
                continue;
            }
            ++at;
            if (code < 0x800) {
                *dst++ = static_cast<char>(0xC0 | (code >> 6));
                *dst++ = static_cast<char>(0x80 | (code & 0x3F));
                continue;
            }
            if (Chromell::IsSurrogate(static_cast<char16_t>(code))) {
                const bool pair = Chromell::IsHighSurrogate(static_cast<char16_t>(code)) &&
                                  at < size && Chromell::IsLowSurrogate(src[at]);
                code = pair ? 0x10000 + ((code - 0xD800) << 10) + (src[at++] - 0xDC00u) : 0xFFFD;
            }
            if (code < 0x10000) {
                *dst++ = static_cast<char>(0xE0 | (code >> 12));
                *dst++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                *dst++ = static_cast<char>(0x80 | (code & 0x3F));
            } else {
                *dst++ = static_cast<char>(0xF0 | (code >> 18));
                *dst++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                *dst++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                *dst++ = static_cast<char>(0x80 | (code & 0x3F));
            }
        }
    }
    out.append(buffer, dst);
}

} // namespace VexoFade
