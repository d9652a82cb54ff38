#include "engine/ascii_blocks.h"

#include <bit>
#include <emmintrin.h>

namespace VexoFade {

std::size_t NarrowAsciiPrefix(const char16_t* src, std::size_t units, char* dst) {
    const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    std::size_t done = 0;
    for (; done + kAsciiBlock <= units; done += kAsciiBlock) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done + 8));
        const __m128i packed = _mm_packus_epi16(low, high);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done), packed);
        const __m128i above = _mm_and_si128(_mm_or_si128(low, high), highBits);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(above, zero)) == 0xFFFF) {
            continue; // all ASCII, which saturating keeps as it is
        }
        // A byte per unit, all ones where the unit is ASCII.
        const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, highBits), zero),
                                              _mm_cmpeq_epi16(_mm_and_si128(high, highBits), zero));
        const auto others = static_cast<unsigned>(_mm_movemask_epi8(ascii)) ^ 0xFFFFU;
        return done + static_cast<std::size_t>(std::countr_zero(others));
    }
    return done;
}

std::size_t WidenAsciiPrefix(const char* src, std::size_t bytes, char16_t* dst) {
    const __m128i zero = _mm_setzero_si128();
    std::size_t done = 0;
    for (; done + kAsciiBlock <= bytes; done += kAsciiBlock) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + done));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + done + 8),
                         _mm_unpackhi_epi8(block, zero));
        const auto others = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (others != 0) {
            return done + static_cast<std::size_t>(std::countr_zero(others));
        }
    }
    return done;
}

} // namespace VexoFade
