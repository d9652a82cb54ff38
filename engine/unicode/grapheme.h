#pragma once

#include <cstddef>
#include <string_view>

namespace VexoFade {

// Extended grapheme clusters: what a reader sees as one character.

// Length in UTF-16 units of the cluster that starts at `at` (at < text.size()).
std::size_t GraphemeLength(std::u16string_view text, std::size_t at);

// Number of clusters in the text.
std::size_t CountGraphemes(std::u16string_view text);

} // namespace VexoFade
