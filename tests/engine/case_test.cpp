#include "engine/unicode/case.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

TEST(Case, EveryCodePointAsUnicodeDataMapsIt) {
    const std::vector<char32_t> lower = UnicodeData::ReadSimpleLowercase();
    if (lower.empty()) {
        GTEST_SKIP() << "UnicodeData.txt missing (Debian: unicode-data)";
    }
    std::size_t wrong = 0;
    for (char32_t code = 0; code <= lower.size(); ++code) { // and one past U+10FFFF
        const char32_t expected = code < lower.size() && lower[code] != 0 ? lower[code] : code;
        wrong += SimpleLowercase(code) != expected ? 1U : 0U;
    }
    EXPECT_EQ(wrong, 0U);
}

TEST(Case, ToLowerSimpleMapsCodePointsNotUnits) {
    const struct {
        std::u16string text, lower;
    } cases[] = {
        {u"\u00C4RIAL\"", u"\u00E4rial\""},
        {u"\U00010400\U0001E900", u"\U00010428\U0001E922"},             // surrogate pairs
        {u"\xD801\xDC00\xD801 \xDC00 A", u"\U00010428\xD801 \xDC00 a"}, // lone kept
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ToLowerSimple(test.text), test.lower) << testing::PrintToString(test.text);
    }
}

} // namespace
} // namespace VexoFade
