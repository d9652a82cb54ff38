#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace VexoFade {

// A character reference as the messenger reads it in markup text: "&lt;",
// "&gt;", "&amp;", "&quot;", or "&#" with decimal digits or "x" (either case)
// and hex digits, then ";", naming a Unicode scalar value.
struct MarkupEntity {
    std::size_t length; // units from the "&" to the ";", both included
    char32_t code;
};

// The reference that starts at `at` (where the text holds an "&"), or nothing
// when the text there is no complete, valid reference.
std::optional<MarkupEntity> EntityAt(std::u16string_view text, std::size_t at);

} // namespace VexoFade
