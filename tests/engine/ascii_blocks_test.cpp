#include "engine/ascii_blocks.h"

#include <gtest/gtest.h>
#include <string>

namespace VexoFade {
namespace {

TEST(AsciiPrefix, StopsAtTheFirstOtherUnitWhereverItIsAndLooksAtWholeBlocksOnly) {
    std::u16string text(5 * kAsciiBlock + 3, u'x');
    for (std::size_t k = 0; k < text.size(); ++k) {
        text[k] = static_cast<char16_t>(k % 0x80);
    }
    const std::string bytes(text.begin(), text.end());
    std::string narrow(text.size(), '\0');
    std::u16string wide(text.size(), u'\0');
    // Every unit of the text: 0x80 and units whose low byte alone looks like
    // ASCII stop it too.
    for (std::size_t at = 0; at < 4 * kAsciiBlock; ++at) {
        for (const char16_t unit :
             {u'\x80', char16_t(0x0141), char16_t(0xFF41), char16_t(0xD83D)}) {
            std::u16string other = text;
            other[at] = unit;
            ASSERT_EQ(NarrowAsciiPrefix(other.data(), other.size(), narrow.data()), at)
                << int(unit);
            ASSERT_EQ(narrow.substr(0, at), bytes.substr(0, at));
        }
        std::string otherBytes = bytes;
        otherBytes[at] = '\xC3';
        ASSERT_EQ(WidenAsciiPrefix(otherBytes.data(), otherBytes.size(), wide.data()), at);
        ASSERT_EQ(wide.substr(0, at), text.substr(0, at));
    }
    // All ASCII: every whole block among the units asked for, nothing after.
    narrow.assign(text.size(), '\0');
    EXPECT_EQ(NarrowAsciiPrefix(text.data(), text.size(), narrow.data()), 5 * kAsciiBlock);
    EXPECT_EQ(narrow.substr(0, 5 * kAsciiBlock + 1), bytes.substr(0, 5 * kAsciiBlock) + '\0');
    EXPECT_EQ(NarrowAsciiPrefix(text.data(), kAsciiBlock - 1, narrow.data()), 0u);
    EXPECT_EQ(NarrowAsciiPrefix(text.data(), 2 * kAsciiBlock + 1, narrow.data()), 2 * kAsciiBlock);
    EXPECT_EQ(WidenAsciiPrefix(bytes.data(), bytes.size(), wide.data()), 5 * kAsciiBlock);
    EXPECT_EQ(WidenAsciiPrefix(bytes.data(), kAsciiBlock - 1, wide.data()), 0u);
}

} // namespace
} // namespace VexoFade
