#pragma once

#include <cstddef>

namespace VexoFade {

// The number of units narrowed or widened at a time.
inline constexpr std::size_t kAsciiBlock = 16;

// Copies the ASCII units at the start of `src` to `dst` as bytes, looking at
// whole blocks of kAsciiBlock units among the first `units` only. Returns how
// many ASCII units come before the first other unit (or the units of all the
// whole blocks when each is ASCII). A block is written whole, so `dst` gets
// bytes past the count, up to the end of the block that stopped it, but
// never more than `units`. Built from the vector form where the processor has
// one, else from the portable one.
std::size_t NarrowAsciiPrefix(const char16_t* src, std::size_t units, char* dst);

// The same the other way: copies the ASCII bytes at the start of `src` to
// `dst` as UTF-16 units, looking at whole blocks of kAsciiBlock bytes among
// the first `bytes` only, and returns how many there are. `dst` must have room
// for `bytes` units.
std::size_t WidenAsciiPrefix(const char* src, std::size_t bytes, char16_t* dst);

} // namespace VexoFade
