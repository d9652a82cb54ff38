#include "engine/hex.h"

#include <gtest/gtest.h>

namespace VexoFade {
namespace {

TEST(ColorToHex6, PadsToSixDigitsAndNeverCuts) {
    EXPECT_EQ(ColorToHex6(0), u"000000");
    EXPECT_EQ(ColorToHex6(255), u"0000FF");
    EXPECT_EQ(ColorToHex6(0xABCDE), u"0ABCDE");
    EXPECT_EQ(ColorToHex6(0xFFFFFF), u"FFFFFF");
    EXPECT_EQ(ColorToHex6(0x1000000), u"1000000");
    EXPECT_EQ(ColorToHex6(-1), u"FFFFFFFF");
    EXPECT_EQ(ColorToHex6(static_cast<std::int32_t>(0x8000000E)), u"8000000E");
}

TEST(HexDigitValue, OnlyOneUppercaseDigitCounts) {
    EXPECT_EQ(HexDigitValue(u"F"), 15);
    EXPECT_EQ(HexDigitValue(u"f"), 0);
    EXPECT_EQ(HexDigitValue(u""), 0);
    EXPECT_EQ(HexDigitValue(u"12"), 0);
}

TEST(HexToNumber, ReadsEitherCaseAndTreatsOtherCharactersAsZero) {
    EXPECT_EQ(HexToNumber(u"ff"), 255.0f);
    EXPECT_EQ(HexToNumber(u"FF"), 255.0f);
    EXPECT_EQ(HexToNumber(u"00FF"), 255.0f);
    EXPECT_EQ(HexToNumber(u""), 0.0f);
    EXPECT_EQ(HexToNumber(u"G1"), 1.0f);
    EXPECT_EQ(HexToNumber(u"#FF00FF"), 16711935.0f);
    EXPECT_EQ(HexToNumber(u" c"), 12.0f);
}

TEST(HexToNumber, KeepsTheLastEightDigitsAndRoundsToSinglePrecision) {
    EXPECT_EQ(HexToNumber(u"123456789"), HexToNumber(u"23456789"));
    EXPECT_EQ(HexToNumber(u"FFFFFFFF"), 4294967296.0f);
    // 0x1000001 is not representable: each partial sum is rounded to even.
    EXPECT_EQ(HexToNumber(u"1000001"), 16777216.0f);
    // Rounding after every digit: 406,661,952; rounding once at the end would
    // give 406,661,920.
    EXPECT_EQ(HexToNumber(u"183D2B2E"), 406661952.0f);
}

} // namespace
} // namespace VexoFade
