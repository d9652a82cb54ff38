#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace VexoFade::detail {

// The value of `code` (at most U+10FFFF, at or after the first run's start) in
// a generated table of runs: each run (first code << valueBits) | value, sorted,
// with the index of the run that holds each page's first code point. The
// search covers only the runs from that page's first to the next page's.
template <std::size_t kRunCount, std::size_t kPageCount>
unsigned RunValue(const std::array<std::uint32_t, kRunCount>& runs,
                  const std::array<std::uint16_t, kPageCount>& pageFirstRun, unsigned pageBits,
                  unsigned valueBits, char32_t code) {
    const std::size_t page = code >> pageBits;
    const std::uint32_t* first = runs.data() + pageFirstRun[page];
    const std::uint32_t* last = runs.data() + pageFirstRun[page + 1] + 1;
    const std::uint32_t valueMask = (1U << valueBits) - 1;
    const std::uint32_t* next = std::upper_bound(first, last, (code << valueBits) | valueMask);
    return next[-1] & valueMask;
}

} // namespace VexoFade::detail
