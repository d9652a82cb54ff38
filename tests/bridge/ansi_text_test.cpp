#include "bridge/ansi_text.h"

#include <gtest/gtest.h>

namespace Module1 {
namespace {

TEST(EncodeWindows1252, KeepsLatin1AndMapsTheCodePagesOwnHighCharacters) {
    EXPECT_EQ(EncodeWindows1252(u""), "");
    EXPECT_EQ(EncodeWindows1252(u"<Font Color=#FF0000>a\r\n"), "<Font Color=#FF0000>a\r\n");
    EXPECT_EQ(EncodeWindows1252(u"\u00A0\u00E9\u00FF"), "\xA0\xE9\xFF");
    EXPECT_EQ(EncodeWindows1252(u"\u20AC\u201C\u201D\u2122\u0178"), "\x80\x93\x94\x99\x9F");
    // The five bytes the code page leaves undefined pass their C1 control through.
    EXPECT_EQ(EncodeWindows1252(u"\u0081\u008D\u008F\u0090\u009D"), "\x81\x8D\x8F\x90\x9D");
}

TEST(EncodeWindows1252, WritesOneQuestionMarkPerMissingCharacter) {
    EXPECT_EQ(EncodeWindows1252(u"\u0080\u0100\u4E2D"), "???");
    EXPECT_EQ(EncodeWindows1252(u"a\U0001F600b"), "a?b"); // a pair is one character
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    EXPECT_EQ(EncodeWindows1252(std::u16string_view(lone, 5)), "a?b??");
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
