#include "engine/hex.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

TEST(Hex, ColorToHex6PadsToSixDigitsAndNeverCuts) {
    // clang-format off
    const std::pair<std::int32_t, std::u16string_view> cases[] = {
        {0, u"000000"}, {0xABCDE, u"0ABCDE"}, {0x1000000, u"1000000"}, {-1, u"FFFFFFFF"},
        {static_cast<std::int32_t>(0x8000000E), u"8000000E"}};
    // clang-format on
    for (const auto& [value, hex] : cases) {
        EXPECT_EQ(ColorToHex6(value), hex) << value;
    }
}

TEST(Hex, OnlyOneUppercaseDigitHasAValue) {
    EXPECT_EQ(HexDigitValue(u"F"), 15);
    for (const std::u16string_view other : {u"f", u"", u"12", u"G"}) {
        EXPECT_EQ(HexDigitValue(other), 0);
    }
}

// Either case; other characters count as 0; the last eight digits only, each
// partial sum rounded to single precision (rounded once at the end, "183D2B2E"
// would give 406,661,920).
TEST(Hex, HexToNumber) {
    // clang-format off
    const std::pair<std::u16string_view, float> cases[] = {
        {u"ff", 255.0f}, {u"00FF", 255.0f}, {u"", 0.0f}, {u"G1", 1.0f}, {u" c", 12.0f},
        {u"#FF00FF", 16711935.0f}, {u"123456789", 591751040.0f}, {u"FFFFFFFF", 4294967296.0f},
        {u"1000001", 16777216.0f}, {u"183D2B2E", 406661952.0f}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(HexToNumber(text), value) << testing::PrintToString(std::u16string(text));
    }
}

} // namespace
} // namespace VexoFade
