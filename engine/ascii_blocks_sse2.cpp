#include "engine/ascii_blocks.h"

#include <emmintrin.h>

namespace VexoFade {

std::size_t NarrowAsciiBlocks(const char16_t* src, std::size_t units, char* dst) {
    const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    std::size_t done = 0;
    for (; done + kAsciiBlock <= units; done += kAsciiBlock) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done + 8));
        const __m128i above = _mm_and_si128(_mm_or_si128(low, high), highBits);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(above, zero)) != 0xFFFF) {
            break;
        }
        // Every unit is below 0x80, so saturating to bytes keeps it as it is.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done), _mm_packus_epi16(low, high));
    }
    return done;
}

} // namespace VexoFade
