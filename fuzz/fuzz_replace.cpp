// ReplaceText against the plain restart-from-the-beginning loop, on inputs
// for which that loop is sure to end.
#include "engine/replace_text.h"
#include "fuzz/fuzz_input.h"

#include <cstdlib>

namespace {

std::u16string Restarting(std::u16string text, std::u16string_view search,
                          std::u16string_view replacement, int& passes) {
    passes = 0;
    for (auto at = text.find(search); at != std::u16string::npos; at = text.find(search)) {
        ++passes;
        text.replace(at, search.size(), replacement);
    }
    return text;
}

// Folds a unit onto a small alphabet so that occurrences are common.
char16_t Fold(char16_t unit) {
    return static_cast<char16_t>(u'a' + unit % 3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ChromellFuzz::FuzzInput input(data, size);
    const std::uint8_t shape = input.Byte();
    const std::size_t searchLength = 1 + shape % 4;
    std::u16string search = input.Units(searchLength);
    if (search.size() != searchLength) {
        return 0;
    }
    std::size_t replacementLength = (shape >> 2) % 6;
    if (searchLength > 1) {
        replacementLength %= searchLength; // shorter than the search: the loop ends
    }
    std::u16string replacement = input.Units(replacementLength);
    std::u16string text = input.Units(64);
    if (shape & 0x80) {
        for (auto* s : {&search, &replacement, &text}) {
            for (char16_t& c : *s) {
                c = Fold(c);
            }
        }
    }
    if (searchLength == 1) {
        std::erase(replacement, search.front()); // a single unit the replacement lacks: ends
    }

    int passes = 0;
    const std::u16string expected = Restarting(text, search, replacement, passes);
    int yields = 0;
    const std::u16string actual =
        VexoFade::ReplaceText(text, search, replacement, [&] {
            ++yields;
            return true;
        });
    if (actual != expected || yields != passes) {
        std::abort();
    }
    return 0;
}
