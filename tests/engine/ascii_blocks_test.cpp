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
    for (std::size_t k = 0; k < 3 * kAsciiBlock; ++k) {
        ASSERT_EQ(out[k], static_cast<char>(k % 0x80)) << k;
    }
    EXPECT_EQ(out[3 * kAsciiBlock], '\0'); // nothing of the stopping block is written

    // 0x80 and units whose low byte alone looks like ASCII stop a block too.
    for (const char16_t unit : {u'\x80', char16_t(0x0141), char16_t(0xFF41), char16_t(0xD83D)}) {
        std::u16string block(kAsciiBlock, u'a');
        block[kAsciiBlock - 1] = unit;
        EXPECT_EQ(NarrowAsciiBlocks(block.data(), block.size(), out.data()), 0u) << int(unit);
    }
    // Never more units than asked for, and no partial block.
    EXPECT_EQ(NarrowAsciiBlocks(text.data(), kAsciiBlock - 1, out.data()), 0u);
    EXPECT_EQ(NarrowAsciiBlocks(text.data(), 2 * kAsciiBlock + 1, out.data()), 2 * kAsciiBlock);
}

} // namespace
} // namespace VexoFade
