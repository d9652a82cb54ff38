#include "engine/ascii_blocks.h"

namespace VexoFade {

std::size_t NarrowAsciiBlocks(const char16_t* src, std::size_t units, char* dst) {
    std::size_t done = 0;
    for (; done + kAsciiBlock <= units; done += kAsciiBlock) {
        char16_t all = 0;
        for (std::size_t k = 0; k < kAsciiBlock; ++k) {
            all |= src[done + k];
        }
        if (all >= 0x80) {
            break;
        }
        for (std::size_t k = 0; k < kAsciiBlock; ++k) {
            dst[done + k] = static_cast<char>(src[done + k]);
        }
    }
    return done;
}

} // namespace VexoFade
