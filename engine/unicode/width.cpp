#include "engine/unicode/width.h"

#include "base/utf16.h"
#include "paged_runs.h"
#include "width_table.h"

namespace VexoFade {

namespace detail {

int CodePointWidthBeyondAscii(char32_t code) {
    if (code > 0x10FFFF) {
        return 1;
    }
    return static_cast<int>(RunValue(WidthTable::kRuns, WidthTable::kPageFirstRun,
                                     WidthTable::kPageBits, WidthTable::kValueBits, code));
}

} // namespace detail

std::size_t ClusterWidth(std::u16string_view cluster) {
    int width = 0;
    bool afterZwj = false;
    for (std::size_t at = 0; at < cluster.size(); at += Chromell::CodePointLength(cluster, at)) {
        const char32_t code = Chromell::CodePointAt(cluster, at);
        const int own = CodePointWidth(code);
        if ((code == 0xFE0F && width > 0) || (afterZwj && own == 2)) {
            return 2;
        }
        if (width == 0) {
            width = own;
        }
        afterZwj = code == 0x200D;
    }
    return static_cast<std::size_t>(width);
}

} // namespace VexoFade
