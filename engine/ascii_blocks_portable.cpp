#include "engine/ascii_blocks.h"

namespace VexoFade {

std::size_t NarrowAsciiPrefix(const char16_t* src, std::size_t units, char* dst) {
    const std::size_t whole = units / kAsciiBlock * kAsciiBlock;
    std::size_t done = 0;
    for (; done < whole && src[done] < 0x80; ++done) {
        dst[done] = static_cast<char>(src[done]);
    }
    return done;
}

std::size_t WidenAsciiPrefix(const char* src, std::size_t bytes, char16_t* dst) {
    const std::size_t whole = bytes / kAsciiBlock * kAsciiBlock;
    std::size_t done = 0;
    for (; done < whole && static_cast<unsigned char>(src[done]) < 0x80; ++done) {
        dst[done] = static_cast<char16_t>(src[done]);
    }
    return done;
}

} // namespace VexoFade
