#include "engine/unicode/case.h"

#include "engine/base/utf16.h"
#include "engine/unicode/lowercase_table.h"

#include <algorithm>

namespace VexoFade {

namespace detail {

char32_t SimpleLowercaseBeyondAscii(char32_t code) {
    const auto& runs = LowercaseTable::kRuns;
    const auto next = std::upper_bound(
        runs.begin(), runs.end(), code,
        [](char32_t value, const LowercaseTable::Run& run) { return value < run.first; });
    if (next == runs.begin()) {
        return code;
    }
    const LowercaseTable::Run& run = next[-1];
    const char32_t offset = code - run.first;
    if (offset > run.span || offset % run.stride != 0) {
        return code;
    }
    return static_cast<char32_t>(static_cast<std::int32_t>(code) + run.delta);
}

} // namespace detail

std::u16string ToLowerSimple(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CodePointLength(text, at);
        const char32_t lower = SimpleLowercase(CodePointAt(text, at));
        if (lower < 0x10000) {
            out.push_back(static_cast<char16_t>(lower));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((lower - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((lower - 0x10000) & 0x3FF)));
        }
        at += length;
    }
    return out;
}

} // namespace VexoFade
