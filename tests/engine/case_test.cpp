#include "engine/unicode/case.h"
#include "tests/engine/unicode_data.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

TEST(Case, EveryCodePointAsUnicodeDataMapsIt) {
    const auto lower = UnicodeData::ReadSimpleLowercase();
    if (lower.empty()) {
        GTEST_SKIP() << "UnicodeData.txt missing (Debian: unicode-data)";
    }
    std::size_t wrong = 0;
    char32_t first = 0;
    for (char32_t code = 0; code < lower.size(); ++code) {
        if (SimpleLowercase(code) != lower[code] && wrong++ == 0) {
            first = code;
        }
    }
    EXPECT_EQ(wrong, 0U) << "first at U+" << std::hex << static_cast<unsigned>(first);
    EXPECT_EQ(SimpleLowercase(0x110000), 0x110000U);
}

TEST(Case, ToLowerSimpleMapsCodePointsNotUnits) {
    const struct {
        std::u16string text;
        std::u16string lower;
    } cases[] = {
        {u"\u00C4RIAL\"", u"\u00E4rial\""},
        {u"\u03A3\u0391\u03A3 \u0130 \u212A", u"\u03C3\u03B1\u03C3 i k"}, // no final sigma
        {u"\U00010400\U0001E900", u"\U00010428\U0001E922"},               // surrogate pairs
        {u"\xD801\xDC00\xD801 \xDC00"
         u"A",
         u"\U00010428\xD801 \xDC00"
         u"a"}, // lone kept
        {u"", u""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ToLowerSimple(test.text), test.lower) << testing::PrintToString(test.text);
    }
}

} // namespace
} // namespace VexoFade
