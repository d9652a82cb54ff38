// Any bytes become a UTF-16 text, lone surrogates and all; segmenting it
// must end every cluster on a code-point boundary, cover the text exactly and
// agree with the count and the list of cluster ends, and every cluster is 0 to
// 2 columns wide.
#include "base/utf16.h"
#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"
#include "engine/unicode/width.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace VexoFade;
    // The bytes as UTF-16, low byte first; an odd last byte is dropped.
    FuzzedDataProvider input(data, size);
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
    std::u16string text;
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        text.push_back(static_cast<char16_t>(bytes[k] | bytes[k + 1] << 8));
    }

    std::vector<std::size_t> ends;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = GraphemeLength(text, at);
        Check(length >= 1 && length <= text.size() - at);
        at += length;
        Check(at == text.size() || !Chromell::IsSurrogatePair(text, at - 1));
        Check(ClusterWidth(std::u16string_view(text).substr(at - length, length)) <= 2);
        ends.push_back(at);
    }
    Check(CountGraphemes(text) == ends.size());
    std::vector<std::size_t> found;
    GraphemeEnds(text, found);
    Check(found == ends);
    Check(ToLowerSimple(text).size() == text.size());
    return 0;
}
