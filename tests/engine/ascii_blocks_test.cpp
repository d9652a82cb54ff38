#include "engine/ascii_blocks.h"

#include <gtest/gtest.h>
#include <string>

namespace VexoFade {
namespace {

TEST(NarrowAsciiBlocks, CopiesWholeAsciiBlocksAndStopsAtTheFirstOtherBlock) {
    std::u16string text(5 * kAsciiBlock + 3, u'x');
    for (std::size_t k = 0; k < text.size(); ++k) {
        text[k] = static_cast<char16_t>(k % 0x80);
    }
    text[3 * kAsciiBlock + 5] = u'\u00E9'; // the fourth block is not all ASCII
    std::string out(text.size(), '\0');
    EXPECT_EQ(NarrowAsciiBlocks(text.data(), text.size(), out.data()), 3 * kAsciiBlock);
    // Nothing of the stopping block is written.
    EXPECT_EQ(out.substr(0, 3 * kAsciiBlock + 1),
              std::string(text.begin(), text.begin() + 3 * kAsciiBlock) + '\0');

    // 0x80 and units whose low byte alone looks like ASCII stop a block too.
    for (const char16_t unit : {u'\x80', char16_t(0x0141), char16_t(0xFF41), char16_t(0xD83D)}) {
        const std::u16string block = std::u16string(kAsciiBlock - 1, u'a') + unit;
        EXPECT_EQ(NarrowAsciiBlocks(block.data(), block.size(), out.data()), 0u) << int(unit);
    }
    // Never more units than asked for, and no partial block.
    EXPECT_EQ(NarrowAsciiBlocks(text.data(), kAsciiBlock - 1, out.data()), 0u);
    EXPECT_EQ(NarrowAsciiBlocks(text.data(), 2 * kAsciiBlock + 1, out.data()), 2 * kAsciiBlock);
}

} // namespace
} // namespace VexoFade
