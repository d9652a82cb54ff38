#include "engine/utf8.h"

#include <gtest/gtest.h>

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
