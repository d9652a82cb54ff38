#pragma once

#include <string>
#include <string_view>

// ReplaceText as it is defined: replace the first occurrence from the very
// beginning and start again. Quadratic, but obviously right.
inline std::u16string RestartingReplace(std::u16string text, std::u16string_view search,
                                        std::u16string_view replacement, int& passes) {
    passes = 0;
    for (auto at = text.find(search); at != std::u16string::npos; at = text.find(search)) {
        ++passes;
        text.replace(at, search.size(), replacement);
    }
    return text;
}
