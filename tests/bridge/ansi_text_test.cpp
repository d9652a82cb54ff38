#include "bridge/ansi_text.h"

#include <gtest/gtest.h>

namespace Module1 {
namespace {

TEST(EncodeWindows1252, MapsTheCodePagesCharactersAndOneQuestionMarkForEachMissingOne) {
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    const std::pair<std::u16string_view, std::string> cases[] = {
        {u"", ""},
        {u"<Font Color=#FF0000>a\r\n\u00A0\u00E9\u00FF", "<Font Color=#FF0000>a\r\n\xA0\xE9\xFF"},
        {u"\u20AC\u201C\u201D\u2122\u0178", "\x80\x93\x94\x99\x9F"},
        // The five bytes the code page leaves undefined pass their C1 control through.
        {u"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        // No look-alikes: fullwidth '<', infinity, alpha, U+0100.
        {u"\uFF1C\u221E\u03B1\u0100\u0080\u4E2D", "??????"},
        {u"a\U0001F600b", "a?b"}, // a pair is one character
        {std::u16string_view(lone, 5), "a?b??"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(EncodeWindows1252(text), expected);
    }
}

TEST(EqualIgnoringCase1252, FoldsAsciiAndAccentedLettersOnly) {
    EXPECT_TRUE(EqualIgnoringCase1252("_Oscar_IconBtn", "_OSCAR_ICONBTN"));
    EXPECT_TRUE(EqualIgnoringCase1252("\xC0\x8A\x9F", "\xE0\x9A\xFF"));
    EXPECT_FALSE(EqualIgnoringCase1252("\xD7", "\xF7")); // multiplication and division signs
    EXPECT_FALSE(EqualIgnoringCase1252("Edit", "Edit "));
    EXPECT_FALSE(EqualIgnoringCase1252("[", "{"));
}

} // namespace
} // namespace Module1
