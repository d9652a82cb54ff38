#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"
#include "preview/render_markup.h"
#include "preview/testing/recording_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>
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

// Steps split by "|": "abc@x,y" draws a, b and c from (x, y) on, 8 pixels apart
// (a character takes the non-ASCII bytes after it along); any other step is one call.
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
        const std::string y(step.substr(step.find(',', at) + 1));
        int x = std::stoi(std::string(step.substr(at + 1)));
        for (std::size_t k = 0, end = 1; k < at; k = end++, x += 8) {
            while (end < at && static_cast<unsigned char>(step[end]) >= 0x80) {
                ++end;
            }
            const std::string c(step.substr(k, end - k));
            calls.insert(calls.end(), {"CurrentY " + y, "CurrentX " + std::to_string(x),
                                       "Print " + c, "TextWidth " + c});
        }
    }
    return calls;
}

// Each markup drawn from a surface in unit 7, which it gets back at the end.
void ExpectAll(std::initializer_list<std::pair<std::u16string_view, std::string_view>> cases) {
    for (const auto& [markup, steps] : cases) {
        RecordingSurface surface(8.0f, 7);
        RenderMarkupPreview(surface, markup);
        const std::string script =
            std::string(kSetUp) + std::string(steps) + (steps.empty() ? "" : "|") + "ScaleMode 7";
        EXPECT_THAT(surface.calls(), ElementsAreArray(Script(script))) << steps;
    }
}

TEST(RenderMarkup, Tags) {
    ExpectAll({
        {u"<u></U><S></s><B></b><i></I>",
         "FontUnderline True|FontUnderline False|FontStrikethru True|FontStrikethru False|"
         "FontBold True|FontBold False|FontItalic True|FontItalic False"},
        // Each width is measured in the font the character was drawn in.
        {u"<b>H<sup>2</sup></b>O", "FontBold True|H@2,0|2@10,-1|FontBold False|O@18,0"},
        {u"<SuP>a<SUB>b</sup>c<sub></SUB>d", "a@2,-1|b@10,1|cd@18,0"}, // shifts do not nest
        {u"<b >< b><br><></font><bold><font><font  color=#f00000><fontcolor=#f00000>a>b",
         "a>b@2,0"},
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

TEST(RenderMarkup, Text) {
    ExpectAll({
        {u"<Font Color=#FF0000>a+chr13+<font color=#0000ff>b\r\rc",
         "ForeColor 255|a@2,0|ForeColor 16711680|b@2,16|c@2,48"},
        {u"+CHR13+++chr13+x", "+CHR13++@2,0|x@2,16"},
        {u"+chr<b>13+", "+chr@2,0|FontBold True|13+@34,0"},
        {u"<b\r>x", "x@2,0"}, // the tag text "b+chr13+" does nothing
        {u"a\r\nb", "a@2,0|\nb@2,16"},
        {u"<b><font color=#0000ff><font face=\"x\"><sub>a\rb</b>\rc",
         "FontBold True|ForeColor 16711680|Name x\"|a@2,1|b@2,17|FontBold False|c@2,33"},
        // A "<" with no ">" after it is text.
        {u"<b>x<y\r<", "FontBold True|x<y@2,0|<@2,16"},
        // A typed "<" runs to the end of the next colour tag, which it swallows.
        {u"<Font Color=#FF0000>x<Font Color=#00FF00><<Font Color=#0000FF>y",
         "ForeColor 255|x@2,0|ForeColor 65280|y@10,0"},
        // Characters and references.
        {u"\U0001F600\xD83D<b>a", "\U0001F600@2,0|\uFFFD@10,0|FontBold True|a@18,0"},
        {u"&lt;b&gt;&amp;&quot;", "<b>&\"@2,0"},
        {u"&#65;&#x42;&#X4a;&#0067;&#x1F600;", "ABJC@2,0|\U0001F600@34,0"},
        // No surrogates, nothing past U+10FFFF.
        {u"&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&",
         "&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&@2,0"},
        {u"&&amp;&lt\r;", "&&&lt@2,0|;@2,16"},
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
            text == u"b" ? throw std::runtime_error("cannot draw") : RecordingSurface::Print(text);
        }
    } surface;
    EXPECT_THROW(RenderMarkupPreview(surface, u"abc"), std::runtime_error);
    EXPECT_EQ(surface.ScaleMode(), kScalePixels);
    EXPECT_EQ(surface.calls().back(), "CurrentX 10");
}

} // namespace
} // namespace VexoFade
