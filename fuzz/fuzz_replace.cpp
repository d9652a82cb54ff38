// ReplaceText against the plain restart-from-the-beginning loop, on inputs
// for which that loop is sure to end.
#include "engine/replace_text.h"
#include "tests/engine/replace_reference.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

std::u16string Units(FuzzedDataProvider& input, std::size_t count, bool fold) {
    std::u16string units;
    for (std::size_t k = 0; k < count && input.remaining_bytes() > 0; ++k) {
        const auto unit = input.ConsumeIntegral<char16_t>();
        // Folded onto a small alphabet, occurrences are common.
        units += fold ? static_cast<char16_t>(u'a' + unit % 3) : unit;
    }
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool fold = input.ConsumeBool();
    const std::size_t searchLength = input.ConsumeIntegralInRange<std::size_t>(1, 4);
    std::size_t replacementLength = input.ConsumeIntegralInRange<std::size_t>(0, 5);
    if (searchLength > 1) {
        replacementLength %= searchLength; // shorter than the search: the loop ends
    }
    const std::u16string search = Units(input, searchLength, fold);
    if (search.size() != searchLength) {
        return 0;
    }
    std::u16string replacement = Units(input, replacementLength, fold);
    if (searchLength == 1) {
        std::erase(replacement, search.front()); // a single unit the replacement lacks: ends
    }
    const std::u16string text = Units(input, 64, fold);

    int passes = 0;
    const std::u16string expected = RestartingReplace(text, search, replacement, passes);
    int yields = 0;
    const auto actual = VexoFade::ReplaceText(text, search, replacement, [&] {
        ++yields;
        return true;
    });
    if (actual != expected || yields != passes) {
        std::abort();
    }
    return 0;
}
