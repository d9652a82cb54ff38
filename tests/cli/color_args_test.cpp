#include "cli/color_args.h"

#include <gtest/gtest.h>

namespace Chromell {
namespace {

TEST(ParseColor, ReadsRedFirstInEitherCaseWithOrWithoutHash) {
    EXPECT_EQ(ParseColor("FF0000"), VexoFade::MakeRgb(255, 0, 0));
    EXPECT_EQ(ParseColor("#00ff80"), VexoFade::MakeRgb(0, 255, 128));
    EXPECT_EQ(ParseColor("#aBcDeF"), VexoFade::MakeRgb(0xAB, 0xCD, 0xEF));
    for (const char* bad : {"", "#", "FFF", "#FF00000", "GG0000", "FF 000", "##FF0000", "0xFF00"}) {
        EXPECT_FALSE(ParseColor(bad)) << bad;
    }
}

TEST(ParseColorList, NeedsExactlyThreeAndNamesTheBadOne) {
    std::string error;
    const auto colors = ParseColorList("ff0000,#00FF00,0000ff", error);
    ASSERT_TRUE(colors);
    EXPECT_EQ((*colors)[2], VexoFade::MakeRgb(0, 0, 255));

    EXPECT_FALSE(ParseColorList("FF0000,00FF0G,0000FF", error));
    EXPECT_NE(error.find("'00FF0G'"), std::string::npos) << error;
    EXPECT_FALSE(ParseColorList("FF0000,00FF00", error));
    EXPECT_FALSE(ParseColorList("FF0000,00FF00,0000FF,FFFFFF", error));
    EXPECT_FALSE(ParseColorList("FF0000,,0000FF", error));
    EXPECT_NE(error.find("''"), std::string::npos) << error;
}

} // namespace
} // namespace Chromell
