#pragma once

#include <cstddef>
#include <string_view>

namespace VexoFade {

// Display width in terminal columns, from Unicode's data (the generated
// width_table.h):
//   2  East Asian Wide (W) and Fullwidth (F), and Emoji_Presentation;
//   0  combining marks (Mn, Me), control characters (Cc: they draw nothing;
//      a tab is the caller's to expand), Hangul Jamo medial vowels and final
//      consonants (Grapheme_Cluster_Break V and T), and Default_Ignorable
//      code points that are not wide (ZWJ, variation selectors, soft hyphen);
//   1  everything else: ambiguous (A) widths, unassigned code points outside
//      the wide blocks, private use, lone surrogates.
// Values beyond U+10FFFF are 1. East_Asian_Width is Unicode 16.0's file with
// the wide code points that 17.0 added (scripts/generate-unicode-tables.py).

namespace detail {
int CodePointWidthBeyondAscii(char32_t code);
} // namespace detail

inline int CodePointWidth(char32_t code) {
    if (code - 0x20 < 0x5F) { // printable ASCII
        return 1;
    }
    return detail::CodePointWidthBeyondAscii(code);
}

// Width of one grapheme cluster: 2 when it asks for emoji presentation (a
// variation selector 16, U+FE0F, after a visible code point) or joins a wide
// code point with a ZWJ (emoji ZWJ sequences); otherwise the width of its
// first code point that has one, so 0 when every code point is zero-width.
// A flag pair is 2 through its first regional indicator.
std::size_t ClusterWidth(std::u16string_view cluster);

} // namespace VexoFade
