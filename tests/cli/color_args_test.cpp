#include "cli/color_args.h"
#include "engine/color_parse.h"

#include <gtest/gtest.h>

namespace Chromell {
namespace {

using VexoFade::Rgb;

TEST(ParseColorText, HexShortHexAndNames) {
    const struct {
        const char* text;
        std::optional<Rgb> stop;
    } cases[] = {
        {"FF0000", Rgb{255, 0, 0}},   {"#00ff80", Rgb{0, 255, 128}},
        {"#f80", Rgb{255, 136, 0}},   {"#0A9", Rgb{0, 170, 153}},
        {"Red", Rgb{255, 0, 0}},      {"REBECCAPURPLE", Rgb{102, 51, 153}},
        {"grey", Rgb{128, 128, 128}}, {"f80", std::nullopt},
        {"#f8", std::nullopt},        {"#f800", std::nullopt},
        {"#ggg", std::nullopt},       {"##f80", std::nullopt},
        {"", std::nullopt},           {"FF 000", std::nullopt},
        {"0xFF00", std::nullopt},     {"transparent", std::nullopt},
        {"redd", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VexoFade::ParseColorText(c.text), c.stop) << c.text;
    }
}

TEST(ParseStopList, TwoToSixteenAndNamesTheBadOne) {
    std::string error;
    const auto stops = ParseStopList("ff0000, #00F", error);
    ASSERT_TRUE(stops) << error;
    EXPECT_EQ(*stops, (std::vector<Rgb>{{255, 0, 0}, {0, 0, 255}}));
    std::string sixteen = "#000";
    for (int k = 1; k < 16; ++k) {
        sixteen += ",#000";
    }
    EXPECT_EQ(ParseStopList(sixteen, error)->size(), 16u) << error;
    const struct {
        std::string text;
        const char* named;
    } bad[] = {{"FF0000", "got 1"},
               {sixteen + ",#000", "got 17"},
               {"FF0000,00FF0G", "'00FF0G'"},
               {"FF0000,,0000FF", "''"},
               {"FF0000,", "''"}};
    for (const auto& c : bad) {
        EXPECT_FALSE(ParseStopList(c.text, error)) << c.text;
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

TEST(ParseColorList, NeedsExactlyThree) {
    std::string error;
    EXPECT_EQ((*ParseColorList("ff0000,#00FF00,0000ff", error))[2], VexoFade::MakeRgb(0, 0, 255));
    EXPECT_FALSE(ParseColorList("FF0000,00FF00", error));
    EXPECT_FALSE(ParseColorList("FF0000,00FF00,0000FF,FFFFFF", error));
}

} // namespace
} // namespace Chromell
