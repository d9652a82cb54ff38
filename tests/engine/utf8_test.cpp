#include "engine/utf8.h"

#include <gtest/gtest.h>
#include <random>

namespace VexoFade {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::string bytes = "plain ASCII long enough for the fast path, "
                              "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 end";
    const auto text = DecodeUtf8(bytes);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->ends_with(u"caf\u00E9 \u20AC \U0001F600 end"));
    std::string back;
    AppendUtf8(*text, back);
    EXPECT_EQ(back, bytes);
}

// Long texts cross the encoder's internal blocks and buffer at every offset.
TEST(Utf8, LongMixedTextsRoundTrip) {
    std::mt19937 random(7);
    const std::u16string pieces[] = {
        u"a", u"0123456789abcdef", u"\u00E9", u"\u20AC", u"\U0001F600", u"\x7F", u"\x80"};
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 6000)(random);
        while (text.size() < length) {
            text += pieces[std::uniform_int_distribution<std::size_t>(0, 6)(random) %
                           (round % 3 == 0 ? 2 : 7)];
        }
        std::string bytes = "prefix";
        AppendUtf8(text, bytes);
        ASSERT_EQ(bytes.compare(0, 6, "prefix"), 0);
        const auto back = DecodeUtf8(std::string_view(bytes).substr(6));
        ASSERT_TRUE(back);
        ASSERT_EQ(*back, text) << "round " << round;
    }
}

TEST(Utf8, ReportsTheOffsetOfTheFirstBadByte) {
    struct Case {
        std::string bytes;
        std::size_t offset;
    };
    const Case cases[] = {
        {"ab\x80", 2},                        // stray continuation byte
        {"0123456789\xC3", 10},               // sequence cut short by the end
        {"x\xC0\xAF", 1},                     // overlong slash
        {"x\xED\xA0\x80", 1},                 // encoded surrogate
        {"x\xF4\x90\x80\x80", 1},             // above U+10FFFF
        {"good\xE2\x82\xACthen\xE2(bad", 11}, // broken continuation
        {"\xFF", 0},
    };
    for (const Case& c : cases) {
        Utf8Error error{};
        EXPECT_FALSE(DecodeUtf8(c.bytes, &error)) << c.offset;
        EXPECT_EQ(error.offset, c.offset);
    }
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
    std::string out;
    AppendUtf8(std::u16string{u'a', char16_t(0xDC00), u'b', char16_t(0xD800)}, out);
    EXPECT_EQ(out, "a\xEF\xBF\xBD"
                   "b\xEF\xBF\xBD");
}

} // namespace
} // namespace VexoFade
