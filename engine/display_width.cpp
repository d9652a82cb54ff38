#include "engine/display_width.h"

#if __has_include("engine/unicode/width.h")
#include "engine/unicode/width.h"
#else
#include <cstdint>
#endif

namespace VexoFade {

#if !__has_include("engine/unicode/width.h")
namespace {
// Until the width table is in: the main wide blocks and combining marks.
int CodePointWidth(char32_t c) {
    if ((c >= 0x300 && c < 0x370) || (c >= 0x200B && c <= 0x200F) || (c >= 0xFE00 && c < 0xFE10)) {
        return 0;
    }
    const bool wide = (c >= 0x1100 && c < 0x1160) || (c >= 0x2E80 && c < 0xA4D0) ||
                      (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xF900 && c < 0xFB00) ||
                      (c >= 0xFF00 && c < 0xFF61) || (c >= 0x1F300 && c < 0x1FB00) ||
                      (c >= 0x20000 && c < 0x3FFFE);
    return wide ? 2 : 1;
}
std::size_t ClusterWidth(std::u16string_view cluster) {
    char32_t c = cluster[0];
    if (c >= 0xD800 && c < 0xDC00 && cluster.size() > 1) {
        c = 0x10000 + ((c - 0xD800) << 10) + (cluster[1] - 0xDC00U);
    }
    return static_cast<std::size_t>(CodePointWidth(c));
}
} // namespace
#endif

int UnitColumns(char16_t unit) {
    if (unit >= 0x20 && unit < 0x7F) {
        return 1;
    }
    if (unit < 0xA0 || (unit >= 0xD800 && unit < 0xE000)) {
        return unit < 0xA0 ? 0 : 1;
    }
    return CodePointWidth(unit);
}

std::size_t ClusterColumns(std::u16string_view cluster) {
    if (cluster.size() == 1) {
        return static_cast<std::size_t>(UnitColumns(cluster[0]));
    }
    return ClusterWidth(cluster);
}

} // namespace VexoFade
