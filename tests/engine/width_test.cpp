// Display widths against Unicode's data: the edges of East Asian Wide and
// Fullwidth blocks, emoji presentation, and what takes no column.
#include "engine/unicode/width.h"

#include <gtest/gtest.h>
#include <string>

namespace VexoFade {
namespace {

TEST(Width, CodePointsAtTheEdgesOfUnicodesRanges) {
    const std::pair<char32_t, int> cases[] = {
        {U'A', 1},    {U' ', 1},    {U'~', 1},     {0x00A1, 1}, // ASCII; ambiguous (A) is narrow
        {0x0000, 0},  {0x001F, 0},  {0x007F, 0},   {0x009F, 0},   {0x00A0, 1}, // controls
        {0x0301, 0},  {0x20DD, 0},  {0x0903, 1},   {0x302A, 0}, // Mn, Me, Mc; Mn inside W
        {0x1100, 2},  {0x115F, 2},  {0x1160, 0},   {0x11FF, 0}, // Jamo: L wide, V and T none
        {0xD7B0, 0},  {0xD7FB, 0},  {0xD7FC, 1},   {0xAC00, 2},   {0xD7A3, 2},
        {0xD7A4, 1},                                            // Hangul syllables
        {0x2E80, 2},  {0x303E, 2},  {0x303F, 1},   {0x3000, 2}, // CJK symbols, ideographic space
        {0x4E00, 2},  {0x9FFF, 2},  {0xFF01, 2},   {0xFF60, 2},   {0xFF61, 1},  // F then H
        {0x20000, 2}, {0x2FFFD, 2}, {0x2FFFE, 1},  {0x3FFFD, 2},  {0x40000, 1}, // unassigned W
        {0x1F600, 2}, {0x1F64F, 2}, {0x1F650, 1},  {0x231A, 2},   {0x2764, 1},  // presentation
        {0x1F1E6, 2}, {0x1F3FB, 2}, // regional indicator, skin tone
        {0x200B, 0},  {0x200D, 0},  {0x00AD, 0},   {0xFE00, 0},   {0xFE0F, 0},
        {0xE0001, 0}, {0xE01EF, 0}, {0xFFA0, 0},   {0x3164, 2}, // Default_Ignorable; the wide
                                                                // Hangul filler
        {0xD800, 1},  {0xE000, 1},  {0x10FFFF, 1}, {0x110000, 1}, {0xFFFFFFFF, 1},
    };
    for (const auto& [code, width] : cases) {
        EXPECT_EQ(CodePointWidth(code), width) << std::hex << "U+" << static_cast<unsigned>(code);
    }
}

TEST(Width, ClustersTakeTheirFirstWidthUnlessEmojiPresentationWidensThem) {
    const std::pair<std::u16string_view, std::size_t> cases[] = {
        {u"", 0},
        {u"e\u0301", 1},
        {u"\u0915\u094D\u0937", 1}, // a conjunct
        {u"\u6F22", 2},
        {u"\u1100\u1161\u11A8", 2}, // conjoining Jamo
        {u"\u0301", 0},             // a mark alone
        {u"\u200D\u0301", 0},
        {u"\u2764", 1},
        {u"\u2764\uFE0F", 2},           // VS16
        {u"\u0301\uFE0F", 0},           // nothing visible to present
        {u"\u26F9\u200D\u2640", 1},     // ZWJ to a narrow code point
        {u"\u2639\u200D\U0001F525", 2}, // ZWJ to a wide one
        {u"\U0001F468\u200D\U0001F469\u200D\U0001F467", 2},
        {u"\U0001F1FA\U0001F1F8", 2}, // flag
        {u"\U0001F44D\U0001F3FD", 2}, // skin tone
        {u"\xD800", 1},               // lone surrogate
    };
    for (const auto& [cluster, width] : cases) {
        EXPECT_EQ(ClusterWidth(cluster), width) << testing::PrintToString(std::u16string(cluster));
    }
}

} // namespace
} // namespace VexoFade
