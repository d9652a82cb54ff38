#pragma once

#include <cstddef>
#include <string_view>

namespace VexoFade {

// Display columns, as a terminal lays text out: East Asian wide characters
// and emoji presentation take 2, combining marks and other zero-width
// clusters 0, everything else 1. A control character (a tab included) is 0;
// the caller places tabs.
int UnitColumns(char16_t unit);
std::size_t ClusterColumns(std::u16string_view cluster);

} // namespace VexoFade
