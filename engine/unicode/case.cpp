#include "engine/unicode/case.h"

#include "base/utf16.h"
#include "lowercase_table.h"

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

namespace {

// The general way, for a text in which some mapping changes the length.
std::u16string LowerByCodePoints(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + 1);
    for (std::size_t at = 0; at < text.size(); at += Chromell::CodePointLength(text, at)) {
        char16_t units[2];
        out.append(units, Chromell::WriteCodePoint(SimpleLowercase(Chromell::CodePointAt(text, at)),
                                                   units));
    }
    return out;
}

} // namespace

// Maps in place: tag texts are mostly ASCII, and a mapping almost never
// changes how many UTF-16 units a code point takes.
std::u16string ToLowerSimple(std::u16string_view text) {
    std::u16string out(text);
    for (std::size_t at = 0; at < out.size();) {
        const char16_t c = out[at];
        if (c < 0x80) {
            out[at] = static_cast<char16_t>(SimpleLowercase(c));
            ++at;
            continue;
        }
        const std::size_t length = Chromell::CodePointLength(out, at);
        const char32_t lower = SimpleLowercase(Chromell::CodePointAt(out, at));
        if ((lower < 0x10000 ? 1U : 2U) != length) {
            return LowerByCodePoints(text);
        }
        Chromell::WriteCodePoint(lower, out.data() + at);
        at += length;
    }
    return out;
}

} // namespace VexoFade
