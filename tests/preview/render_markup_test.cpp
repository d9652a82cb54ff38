#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"
#include "preview/render_markup.h"
#include "preview/testing/recording_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Calls = std::vector<std::string>;

// What every call does before the first character: 10-point Arial, plain, black.
constexpr std::string_view kSetUp = "ScaleMode 3|Name Arial|FontSize 10|FontBold False|"
                                    "FontItalic False|FontUnderline False|FontStrikethru False|"
                                    "AutoRedraw True|ForeColor 0|Cls|";

// Steps split by "|": "c@x,y" draws c with its corner at (x, y), "~abc@x,y"
// draws a, b and c from there 8 pixels apart; any other step is one call.
Calls Script(std::string_view script) {
    Calls calls;
    while (!script.empty()) {
        const std::string_view step = script.substr(0, script.find('|'));
        script.remove_prefix(std::min(script.size(), step.size() + 1));
        const std::size_t at = step.rfind('@');
        if (at == std::string_view::npos) {
            calls.emplace_back(step);
            continue;
        }
        const bool run = step[0] == '~';
        const std::string_view text = step.substr(run ? 1 : 0, at - (run ? 1 : 0));
        const std::string y(step.substr(step.find(',', at) + 1));
        int x = std::stoi(std::string(step.substr(at + 1)));
        for (std::size_t k = 0; k < (run ? text.size() : 1); ++k, x += 8) {
            const std::string c(run ? text.substr(k, 1) : text);
            calls.insert(calls.end(), {"CurrentY " + y, "CurrentX " + std::to_string(x),
                                       "Print " + c, "TextWidth " + c});
        }
    }
    return calls;
}

struct Case {
    std::u16string_view markup;
    std::string_view script; // between the set-up and the restoring of the unit
    std::int16_t unit = kScaleTwips;
};

void ExpectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        RecordingSurface surface(8.0f, c.unit);
        RenderMarkupPreview(surface, c.markup);
        const std::string script = std::string(kSetUp) + std::string(c.script) +
                                   (c.script.empty() ? "" : "|") + "ScaleMode " +
                                   std::to_string(c.unit);
        EXPECT_THAT(surface.calls(), ElementsAreArray(Script(script))) << c.script;
    }
}

TEST(RenderMarkup, Tags) {
    ExpectAll({
        {u"", "", 7},
        {u"<u></U><S></s><B></b><i></I>",
         "FontUnderline True|FontUnderline False|FontStrikethru True|FontStrikethru False|"
         "FontBold True|FontBold False|FontItalic True|FontItalic False"},
        // Each width is measured in the font the character was drawn in.
        {u"<b>H<sup>2</sup></b>O", "FontBold True|H@2,0|2@10,-1|FontBold False|O@18,0"},
        {u"<SuP>a<SUB>b", "a@2,-1|b@10,1"},
        {u"<sup><sub>a</sup>b<sub></sub>c", "~a@2,1|~bc@10,0"}, // shifts do not nest
        {u"<b >< b><br><></font><bold><font><font  color=#f00000><fontcolor=#f00000>", ""},
        {u"a>b", "~a>b@2,0"},
        // Colours: up to six digits after the first "#" (or from the start), red first.
        {u"<FONT COLOR=#00ff00>", "ForeColor 65280"},
        {u"<font color=#12345678>", "ForeColor 5649426"}, // 0x563412
        {u"<font color=#ff#00ff>", "ForeColor 983295"},   // "#" counts as 0: 0x0F00FF
        {u"<font color=#ff>", "ForeColor 16711935"},      // blue from the last two
        {u"<font color=#abc>", "ForeColor 12324011"},     // 0xBC0CAB
        {u"<font color=\"#FFFFFF\" size=2>", "ForeColor 16777215"},
        {u"<font color=red>", "ForeColor 786672"}, // "font c": 0xF0, 0x00, 0x0C
        // A face is everything after the first quote, in lower case.
        {u"<Font Face=\"Times New Roman\">", "Name times new roman\""},
        {u"<font face=\"x\" color=#00ff00>", "Name x\" color=#00ff00"},
        {u"<font color=#00ff00 face=\"x\">", "ForeColor 65280"},
        {u"<font face=\">", "Name \"\""}, // the empty name
        {u"<font face=Arial>", "Name font face=arial"},
    });
}

TEST(RenderMarkup, LineBreaksAndLoneLessThan) {
    ExpectAll({
        {u"<Font Color=#FF0000>a+chr13+<font color=#0000ff>b\rc",
         "ForeColor 255|a@2,0|ForeColor 16711680|b@2,16|c@2,32"},
        {u"\r\r", ""},
        {u"++chr13+x", "+@2,0|x@2,16"},
        {u"+CHR13+", "~+CHR13+@2,0"},
        {u"+chr<b>13+", "~+chr@2,0|FontBold True|~13+@34,0"},
        {u"<b\r>x", "x@2,0"}, // the tag text "b+chr13+" does nothing
        {u"a\r\nb", "a@2,0|~\nb@2,16"},
        {u"<b><font color=#0000ff><font face=\"x\"><sub>a\rb</b>\rc",
         "FontBold True|ForeColor 16711680|Name x\"|a@2,1|b@2,17|FontBold False|c@2,33"},
        // A "<" with no ">" after it is text.
        {u"a<b", "~a<b@2,0"},
        {u"<b>x<y\r<", "FontBold True|~x<y@2,0|<@2,16"},
        // A typed "<" runs to the end of the next colour tag, which it swallows.
        {u"<Font Color=#FF0000>x<Font Color=#00FF00><<Font Color=#0000FF>y",
         "ForeColor 255|x@2,0|ForeColor 65280|y@10,0"},
    });
}

TEST(RenderMarkup, CharactersAndReferences) {
    ExpectAll({
        {u"\U0001F600a", "\U0001F600@2,0|a@10,0"},
        {u"\xD83D<b>a", "\uFFFD@2,0|FontBold True|a@10,0"},
        {u"&lt;b&gt;&amp;&quot;", "~<b>&\"@2,0"},
        {u"&#65;&#x42;&#X4a;&#0067;&#x1F600;", "~ABJC@2,0|\U0001F600@34,0"},
        // No surrogates, nothing past U+10FFFF.
        {u"&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&",
         "~&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&@2,0"},
        {u"&&amp;", "~&&@2,0"},
        {u"&lt\r;", "~&lt@2,0|;@2,16"},
    });
}

// Both come right when the engine's Unicode tables are in.
TEST(RenderMarkup, ClustersAndLowerCaseBeyondAscii) {
    if (GraphemeLength(u"e\u0301", 0) == 2) {
        ExpectAll({
            {u"e\u0301x", "e\u0301@2,0|x@10,0"},
            {u"&lt;\u0301\u0302&amp;", "<\u0301\u0302@2,0|&@10,0"},
            // A cluster ends where markup starts.
            {u"\u0600<b>&#x600;&lt;\u0600\rx",
             "\u0600@2,0|FontBold True|\u0600@10,0|<@18,0|\u0600@26,0|x@2,16"},
        });
    }
    if (SimpleLowercase(U'\u00C4') == U'\u00E4') {
        ExpectAll({{u"<font face=\"\u00C4RIAL\">", "Name \u00E4rial\""},
                   {u"<\u0130>", "FontItalic True"}});
    }
}

TEST(RenderMarkup, YieldsOncePerCarriageReturnBeforeTouchingTheSurface) {
    RecordingSurface surface;
    int yields = 0;
    EXPECT_TRUE(RenderMarkupPreview(surface, u"a\rb\r\rc", [&] {
        EXPECT_THAT(surface.calls(), IsEmpty());
        return ++yields > 0;
    }));
    EXPECT_EQ(yields, 3);
    RecordingSurface stopped;
    EXPECT_FALSE(RenderMarkupPreview(stopped, u"a\rb\rc", [&] { return ++yields < 5; }));
    EXPECT_EQ(yields, 5);
    EXPECT_THAT(stopped.calls(), IsEmpty());
}

TEST(RenderMarkup, FailingSurfaceStopsDrawingAndLeavesPixels) {
    struct FailingSurface : RecordingSurface {
        void Print(std::u16string_view text) override {
            if (text == u"b") {
                throw std::runtime_error("cannot draw");
            }
            RecordingSurface::Print(text);
        }
    } surface;
    EXPECT_THROW(RenderMarkupPreview(surface, u"abc"), std::runtime_error);
    EXPECT_EQ(surface.ScaleMode(), kScalePixels);
    EXPECT_EQ(surface.calls().back(), "CurrentX 10");
}

} // namespace
} // namespace VexoFade
