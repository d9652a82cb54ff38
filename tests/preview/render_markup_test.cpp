#include "engine/utf8.h"
#include "preview/testing/recording_surface.h"
#include "preview/render_markup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using Calls = std::vector<std::string>;

Calls ToUtf8(const std::vector<std::u16string>& calls) {
    Calls out;
    for (const auto& call : calls) {
        std::string line;
        AppendUtf8(call, line);
        out.push_back(std::move(line));
    }
    return out;
}

// What every call does before the first character: 10-point Arial, plain, black.
const Calls kSetUp = {"ScaleMode 3",          "Name Arial",
                      "FontSize 10",          "FontBold False",
                      "FontItalic False",     "FontUnderline False",
                      "FontStrikethru False", "AutoRedraw True",
                      "ForeColor 0",          "Cls"};

// Renders onto a recording surface (8 pixels per character, starting in twips)
// and returns the calls between the set-up and the restoring of the unit.
Calls Drawn(std::u16string_view markup) {
    RecordingSurface surface;
    RenderMarkupPreview(surface, markup);
    Calls calls = ToUtf8(surface.calls());
    if (calls.size() < kSetUp.size() + 1 ||
        !std::equal(kSetUp.begin(), kSetUp.end(), calls.begin()) || calls.back() != "ScaleMode 1") {
        ADD_FAILURE() << "unexpected set-up or finish; markup length " << markup.size();
        return calls;
    }
    return Calls(calls.begin() + static_cast<std::ptrdiff_t>(kSetUp.size()), calls.end() - 1);
}

// The calls that draw one character at (x, y).
Calls Char(const std::string& c, int x, int y) {
    return {"CurrentY " + std::to_string(y), "CurrentX " + std::to_string(x), "Print " + c,
            "TextWidth " + c};
}

// The calls that draw ASCII characters side by side on the line at y.
Calls Line(const std::string& chars, int y) {
    Calls calls;
    for (std::size_t k = 0; k < chars.size(); ++k) {
        const Calls one = Char(std::string(1, chars[k]), 2 + 8 * static_cast<int>(k), y);
        calls.insert(calls.end(), one.begin(), one.end());
    }
    return calls;
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(RenderMarkup, TwoColoursOnTwoLinesCallByCall) {
    RecordingSurface surface;
    RenderMarkupPreview(surface, u"<Font Color=#FF0000>A\r<Font Color=#0000FF>B");
    EXPECT_THAT(ToUtf8(surface.calls()), ElementsAreArray(Join({kSetUp,
                                                                {"ForeColor 255"},
                                                                Char("A", 2, 0),
                                                                {"ForeColor 16711680"},
                                                                Char("B", 2, 16),
                                                                {"ScaleMode 1"}})));
}

TEST(RenderMarkup, BoldFormulaWithSuperscript) {
    // Each width is measured in the font the character was drawn in: the
    // digit still bold, the O after "</b>".
    EXPECT_THAT(Drawn(u"<b>H<sup>2</sup></b>O"), ElementsAreArray(Join({{"FontBold True"},
                                                                        Char("H", 2, 0),
                                                                        Char("2", 10, -1),
                                                                        {"FontBold False"},
                                                                        Char("O", 18, 0)})));
}

TEST(RenderMarkup, EmptyMarkupOnlyClearsAndRestoresWhateverUnitItFound) {
    RecordingSurface surface(8.0f, 7);
    RenderMarkupPreview(surface, u"");
    EXPECT_THAT(ToUtf8(surface.calls()), ElementsAreArray(Join({kSetUp, {"ScaleMode 7"}})));
    EXPECT_EQ(surface.ScaleMode(), 7);
}

TEST(RenderMarkup, SwitchTagsInEitherCase) {
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"<u>", "FontUnderline True"},  {u"</U>", "FontUnderline False"},
        {u"<S>", "FontStrikethru True"}, {u"</s>", "FontStrikethru False"},
        {u"<B>", "FontBold True"},       {u"</b>", "FontBold False"},
        {u"<i>", "FontItalic True"},     {u"</I>", "FontItalic False"},
    };
    for (const auto& [tag, call] : cases) {
        EXPECT_THAT(Drawn(tag), ElementsAre(call)) << call;
    }
    EXPECT_THAT(Drawn(u"<SuP>a"), ElementsAreArray(Char("a", 2, -1)));
    EXPECT_THAT(Drawn(u"<SUB>a"), ElementsAreArray(Char("a", 2, 1)));
}

TEST(RenderMarkupNoOps, TagsThatMatchNothingAreSkippedSilently) {
    for (std::u16string_view tag : {u"<b >", u"< b>", u"<br>", u"<>", u"</font>", u"<bold>",
                                    u"<font>", u"<font  color=#ff0000>", u"<fontcolor=#ff0000>"}) {
        EXPECT_THAT(Drawn(tag), IsEmpty()) << tag.size();
    }
    EXPECT_THAT(Drawn(u"a>b"), ElementsAreArray(Line("a>b", 0)));
}

TEST(RenderMarkup, ShiftsDoNotNest) {
    EXPECT_THAT(Drawn(u"<sup><sub>a</sup>b<sub></sub>c"),
                ElementsAreArray(Join({Char("a", 2, 1), Char("b", 10, 0), Char("c", 18, 0)})));
}

TEST(RenderMarkupColour, DigitsAfterTheFirstHashRedFirst) {
    const std::vector<std::pair<std::u16string, int>> cases = {
        {u"<FONT COLOR=#00FF00>", 0x00FF00},
        {u"<font color=#0000ff>", 0xFF0000},
        // Cut to six digits; a second "#" is just a non-digit.
        {u"<font color=#12345678>", 0x563412},
        {u"<font color=#ff#00ff>", 0x0F00FF},
        // Short digit strings: green from what is there, blue from the last two.
        {u"<font color=#ff>", 0xFF00FF},
        {u"<font color=#abc>", 0xBC0CAB},
        {u"<font color=#1>", 0x010001},
        {u"<font color=#>", 0},
        // Non-hex characters count as 0; any text after "font color" will do.
        {u"<font color=#zz80gg>", 0x008000},
        {u"<font color=\"#FFFFFF\" size=2>", 0xFFFFFF},
    };
    for (const auto& [tag, colour] : cases) {
        EXPECT_THAT(Drawn(tag), ElementsAre("ForeColor " + std::to_string(colour)))
            << "colour " << std::hex << colour;
    }
}

TEST(RenderMarkupColour, WithoutHashTheTagTextItselfIsRead) {
    // "font c": f and o give 240, n and t give 0, a blank and c give 12.
    EXPECT_THAT(Drawn(u"<font color=red>"), ElementsAre("ForeColor " + std::to_string(0x0C00F0)));
}

TEST(RenderMarkupFace, NameIsEverythingAfterTheFirstQuoteInLowerCase) {
    EXPECT_THAT(Drawn(u"<Font Face=\"Arial\">"), ElementsAre("Name arial\""));
    EXPECT_THAT(Drawn(u"<font face=\"Times New Roman\">"), ElementsAre("Name times new roman\""));
    EXPECT_THAT(Drawn(u"<font face=\"x\" color=#00ff00>"), ElementsAre("Name x\" color=#00ff00"));
    // The colour test comes first and only sees "font color...".
    EXPECT_THAT(Drawn(u"<font color=#00ff00 face=\"x\">"), ElementsAre("ForeColor 65280"));
    EXPECT_THAT(Drawn(u"<font face=\"\">"), ElementsAre("Name \""));
    EXPECT_THAT(Drawn(u"<font face=\">"), ElementsAre("Name \"\"")); // the empty name
}

TEST(RenderMarkupFace, WithoutQuoteTheWholeTagIsTheName) {
    EXPECT_THAT(Drawn(u"<font face=Arial>"), ElementsAre("Name font face=arial"));
    EXPECT_THAT(Drawn(u"<font face>"), ElementsAre("Name font face"));
}

TEST(RenderMarkupLines, LiteralMarkerBreaksTheLineLikeACarriageReturn) {
    EXPECT_THAT(Drawn(u"a+chr13+b\rc"),
                ElementsAreArray(Join({Char("a", 2, 0), Char("b", 2, 16), Char("c", 2, 32)})));
    EXPECT_THAT(Drawn(u"\r\r"), IsEmpty());
    EXPECT_THAT(Drawn(u"++chr13+x"), ElementsAreArray(Join({Char("+", 2, 0), Char("x", 2, 16)})));
}

TEST(RenderMarkupLines, NearMissesOfTheMarkerAreDrawn) {
    EXPECT_THAT(Drawn(u"+CHR13+"), ElementsAreArray(Line("+CHR13+", 0)));
    EXPECT_THAT(Drawn(u"+chr13"), ElementsAreArray(Line("+chr13", 0))); // cut short
    // A tag inside the marker: no break, the pieces are drawn.
    EXPECT_THAT(Drawn(u"+chr<b>13+"), ElementsAreArray(Join({Line("+chr", 0),
                                                             {"FontBold True"},
                                                             Char("1", 34, 0),
                                                             Char("3", 42, 0),
                                                             Char("+", 50, 0)})));
}

TEST(RenderMarkupLines, CarriageReturnInsideATagBecomesPartOfItsText) {
    // "<b\r>" reads as the tag text "b+chr13+": no effect, no line break.
    EXPECT_THAT(Drawn(u"<b\r>x"), ElementsAreArray(Char("x", 2, 0)));
}

TEST(RenderMarkupLines, LineFeedIsAnOrdinaryCharacter) {
    EXPECT_THAT(Drawn(u"a\r\nb"),
                ElementsAreArray(Join({Char("a", 2, 0), Char("\n", 2, 16), Char("b", 10, 16)})));
}

TEST(RenderMarkupLines, StateRunsOnAcrossLines) {
    EXPECT_THAT(Drawn(u"<b><font color=#0000ff><font face=\"x\"><sub>a\rb</b>\rc"),
                ElementsAreArray(Join({{"FontBold True", "ForeColor 16711680", "Name x\""},
                                       Char("a", 2, 1),
                                       Char("b", 2, 17),
                                       {"FontBold False"},
                                       Char("c", 2, 33)})));
}

TEST(RenderMarkupUnclosed, LessThanWithoutGreaterThanIsDrawn) {
    EXPECT_THAT(Drawn(u"a<b"), ElementsAreArray(Line("a<b", 0)));
    // Formatting stays; later line breaks still break.
    EXPECT_THAT(Drawn(u"<b>x<y\r<"), ElementsAreArray(Join({{"FontBold True"},
                                                            Char("x", 2, 0),
                                                            Char("<", 10, 0),
                                                            Char("y", 18, 0),
                                                            Char("<", 2, 16)})));
}

TEST(RenderMarkupUnclosed, TypedLessThanSwallowsTheNextColourTag) {
    // The fader's output for "x<y": the typed "<" runs to the end of y's colour
    // tag, so it is not drawn and y takes the colour meant for the "<".
    EXPECT_THAT(Drawn(u"<Font Color=#FF0000>x<Font Color=#00FF00><<Font Color=#0000FF>y"),
                ElementsAreArray(Join(
                    {{"ForeColor 255"}, Char("x", 2, 0), {"ForeColor 65280"}, Char("y", 10, 0)})));
    // With nothing after it the typed "<" is drawn.
    EXPECT_THAT(
        Drawn(u"<Font Color=#FF0000>x<Font Color=#0000FF><"),
        ElementsAreArray(
            Join({{"ForeColor 255"}, Char("x", 2, 0), {"ForeColor 16711680"}, Char("<", 10, 0)})));
}

TEST(RenderMarkup, SurrogatePairIsOneCharacter) {
    EXPECT_THAT(Drawn(u"\U0001F600a"),
                ElementsAreArray(Join({Char("\U0001F600", 2, 0), Char("a", 10, 0)})));
    // A lone half is drawn on its own (shown as U+FFFD here).
    EXPECT_THAT(
        Drawn(u"\xD83D<b>a"),
        ElementsAreArray(Join({Char("\uFFFD", 2, 0), {"FontBold True"}, Char("a", 10, 0)})));
}

TEST(RenderMarkup, YieldsOncePerCarriageReturnBeforeTouchingTheSurface) {
    RecordingSurface surface;
    int yields = 0;
    EXPECT_TRUE(RenderMarkupPreview(surface, u"a\rb\r\rc", [&] {
        ++yields;
        EXPECT_THAT(surface.calls(), IsEmpty());
        return true;
    }));
    EXPECT_EQ(yields, 3);
}

TEST(RenderMarkup, StopsWithoutDrawingWhenTheYieldSaysSo) {
    RecordingSurface surface;
    int yields = 0;
    EXPECT_FALSE(RenderMarkupPreview(surface, u"a\rb\rc", [&] { return ++yields < 2; }));
    EXPECT_EQ(yields, 2);
    EXPECT_THAT(surface.calls(), IsEmpty());
}

TEST(RenderMarkup, FailingSurfaceStopsDrawingAndLeavesPixels) {
    class FailingSurface : public RecordingSurface {
    public:
        void Print(std::u16string_view text) override {
            if (text == u"b") {
                throw std::runtime_error("cannot draw");
            }
            RecordingSurface::Print(text);
        }
    };
    FailingSurface surface;
    EXPECT_THROW(RenderMarkupPreview(surface, u"abc"), std::runtime_error);
    EXPECT_EQ(surface.ScaleMode(), kScalePixels);
    EXPECT_EQ(ToUtf8(surface.calls()).back(), "CurrentX 10");
}

} // namespace
} // namespace VexoFade
