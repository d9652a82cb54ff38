#pragma once

#include <cstddef>

namespace VexoFade {

// The number of units narrowed at a time by NarrowAsciiBlocks.
inline constexpr std::size_t kAsciiBlock = 16;

// Copies whole blocks of kAsciiBlock UTF-16 units to `dst` as bytes for as
// long as every unit of a block is ASCII and at most `units` are taken.
// Returns how many units were copied (a multiple of kAsciiBlock). Built from
// the vector form where the processor has one, else from the portable one.
std::size_t NarrowAsciiBlocks(const char16_t* src, std::size_t units, char* dst);

} // namespace VexoFade
