#include "engine/utf8.h"

#include "engine/ascii_blocks.h"
#include "engine/base/utf16.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace VexoFade {
namespace {

constexpr std::uint64_t kHighBits8 = 0x8080808080808080ULL;

} // namespace

std::optional<std::u16string> DecodeUtf8(std::string_view bytes, Utf8Error* error) {
    std::u16string out;
    out.resize(bytes.size()); // never more units than bytes
    char16_t* dst = out.data();
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t at = 0;
    while (at < size) {
        // Eight ASCII bytes at a time.
        if (at + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, src + at, 8);
            if ((word & kHighBits8) == 0) {
                for (std::size_t k = 0; k < 8; ++k) {
                    dst[k] = src[at + k];
                }
                dst += 8;
                at += 8;
                continue;
            }
        }
        const unsigned char lead = src[at];
        if (lead < 0x80) {
            *dst++ = lead;
            ++at;
            continue;
        }
        std::size_t length;
        std::uint32_t code;
        std::uint32_t minimum;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1Fu, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0Fu, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07u, minimum = 0x10000;
        } else {
            length = 0, code = 0, minimum = 0;
        }
        bool ok = length != 0 && at + length <= size;
        for (std::size_t k = 1; ok && k < length; ++k) {
            const unsigned char next = src[at + k];
            ok = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        ok = ok && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!ok) {
            if (error != nullptr) {
                error->offset = at;
            }
            return std::nullopt;
        }
        dst = WriteCodePoint(code, dst);
        at += length;
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
    // Encoded in blocks through a small buffer, so the string is written once
    // and never filled with zeros first.
    constexpr std::size_t kCapacity = 2048;
    constexpr std::size_t kBlock = kAsciiBlock;
    char buffer[kCapacity];
    std::size_t used = 0;
    out.reserve(out.size() + text.size());
    const char16_t* src = text.data();
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        if (used + 4 * kBlock > kCapacity) {
            out.append(buffer, used);
            used = 0;
        }
        // ASCII a block at a time, leaving room for one block of any
        // characters (three bytes a unit at the most) after it.
        const std::size_t room = (kCapacity - used - 3 * kBlock) / kBlock * kBlock;
        const std::size_t ascii =
            NarrowAsciiBlocks(src + at, std::min(size - at, room), buffer + used);
        used += ascii;
        at += ascii;
        if (ascii == room) {
            continue;
        }
        // One character at a time until the next block.
        const std::size_t stop = at + kBlock < size ? at + kBlock : size;
        while (at < stop) {
            // Four ASCII units at a time: markup between the characters of a
            // text in another script is mostly short runs of ASCII.
            if (at + 4 <= stop) {
                std::uint64_t word;
                std::memcpy(&word, src + at, sizeof word);
                if ((word & 0xFF80FF80FF80FF80ULL) == 0) {
                    for (std::size_t k = 0; k < 4; ++k) {
                        buffer[used + k] = static_cast<char>(src[at + k]);
                    }
                    used += 4;
                    at += 4;
                    continue;
                }
            }
            std::uint32_t code = src[at++];
            char* dst = buffer + used;
            if (code < 0x80) {
                *dst++ = static_cast<char>(code);
            } else if (code < 0x800) {
                *dst++ = static_cast<char>(0xC0 | (code >> 6));
                *dst++ = static_cast<char>(0x80 | (code & 0x3F));
            } else {
                if (IsSurrogate(static_cast<char16_t>(code))) {
                    const bool pair = IsHighSurrogate(static_cast<char16_t>(code)) && at < size &&
                                      IsLowSurrogate(src[at]);
                    code =
                        pair ? 0x10000 + ((code - 0xD800) << 10) + (src[at++] - 0xDC00u) : 0xFFFD;
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
            used = static_cast<std::size_t>(dst - buffer);
        }
    }
    out.append(buffer, used);
}

} // namespace VexoFade
