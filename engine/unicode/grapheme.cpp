#include "engine/unicode/grapheme.h"

#include "engine/base/utf16.h"

namespace VexoFade {

// Interim: one cluster per code point until the segmentation tables land.
std::size_t GraphemeLength(std::u16string_view text, std::size_t at) {
    return CodePointLength(text, at);
}

std::size_t CountGraphemes(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += GraphemeLength(text, at)) {
        ++count;
    }
    return count;
}

} // namespace VexoFade
