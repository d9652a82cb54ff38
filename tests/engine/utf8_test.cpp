#include "engine/utf8.h"

#include <gtest/gtest.h>
#include <random>

namespace VexoFade {
namespace {

TEST(Utf8, EncodesEveryPlaneAndLoneSurrogatesAsReplacementCharacters) {
    const std::string bytes = "plain ASCII long enough for the fast path, "
                              "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 end";
    const std::u16string text = u"plain ASCII long enough for the fast path, "
                                u"caf\u00E9 \u20AC \U0001F600 end";
    EXPECT_EQ(DecodeUtf8(bytes), text);
    std::string out;
    AppendUtf8(text, out);
    AppendUtf8(std::u16string{u'a', char16_t(0xDC00), u'b', char16_t(0xD800)}, out);
    EXPECT_EQ(out, bytes + "a\xEF\xBF\xBD" + "b\xEF\xBF\xBD");
}

// Long texts cross the encoder's internal blocks and buffer at every offset.
TEST(Utf8, LongMixedTextsRoundTrip) {
    std::mt19937 random(7);
    const std::u16string pieces[] = {
        u"a", u"0123456789abcdef", u"\u00E9", u"\u20AC", u"\U0001F600", u"\x7F", u"\x80"};
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        const std::size_t length = random() % 6001;
        while (text.size() < length) {
            text += pieces[random() % (round % 3 == 0 ? 2 : 7)]; // a third all ASCII
        }
        std::string bytes = "prefix";
        AppendUtf8(text, bytes);
        ASSERT_EQ(DecodeUtf8(std::string_view(bytes).substr(6)), text) << "round " << round;
    }
}

TEST(Utf8, ReportsTheOffsetOfTheFirstBadByte) {
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"ab\x80", 2},                        // stray continuation byte
        {"0123456789\xC3", 10},               // sequence cut short by the end
        {"x\xC0\xAF", 1},                     // overlong slash
        {"x\xED\xA0\x80", 1},                 // encoded surrogate
        {"x\xF4\x90\x80\x80", 1},             // above U+10FFFF
        {"good\xE2\x82\xACthen\xE2(bad", 11}, // broken continuation
        {"\xFF", 0},
    };
    for (const auto& [bytes, offset] : cases) {
        Utf8Error error{};
        EXPECT_FALSE(DecodeUtf8(bytes, &error)) << offset;
        EXPECT_EQ(error.offset, offset);
    }
}

} // namespace
} // namespace VexoFade
