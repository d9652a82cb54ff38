#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace VexoFade {

// Extended grapheme clusters: what a reader sees as one character, by the
// default segmentation rules of Unicode text (UAX #29). A lone surrogate is a
// code point of its own with the property Unicode's data gives it (Other), so
// every text segments and a surrogate pair is never split.

namespace detail {
std::size_t GraphemeLengthBeyondAscii(std::u16string_view text, std::size_t at);
} // namespace detail

// Length in UTF-16 units of the cluster that starts at `at` (at < text.size(),
// and `at` is 0 or the end of an earlier cluster). Never splits a surrogate pair.
inline std::size_t GraphemeLength(std::u16string_view text, std::size_t at) {
    if (at + 1 >= text.size()) {
        return 1;
    }
    // Two ASCII characters always break between them, except CR followed by
    // LF; CR is left to the full rules.
    if ((text[at] | text[at + 1]) < 0x80 && text[at] != u'\r') {
        return 1;
    }
    return detail::GraphemeLengthBeyondAscii(text, at);
}

// Number of clusters in the text.
std::size_t CountGraphemes(std::u16string_view text);

// The end of every cluster (the position after its last unit), in order, in
// `ends`, which is cleared first; ends.size() is the cluster count. For a
// caller that needs the count before it steps: one pass over the text.
void GraphemeEnds(std::u16string_view text, std::vector<std::size_t>& ends);

} // namespace VexoFade
