#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"
#include "preview/render_markup.h"
#include "preview/testing/recording_surface.h"

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace VexoFade {
namespace {

using ::testing::ElementsAreArray;
using Drawing = std::vector<std::string>;

// "text@x,y" and then what differs from 10-point Arial, plain and black, in
// this order: " b", " i", " u", " s", " #RRGGBB", " size=N", " face=NAME".
std::string Describe(const DrawnText& text) {
    char place[64];
    std::snprintf(place, sizeof place, "@%g,%g", static_cast<double>(text.x),
                  static_cast<double>(text.y));
    std::string line = text.text + place;
    const RecordedFont& font = text.font;
    for (const auto& [on, word] : {std::pair{font.bold, " b"},
                                   {font.italic, " i"},
                                   {font.underline, " u"},
                                   {font.strikethru, " s"}}) {
        line += on ? word : "";
    }
    if (text.color != 0) {
        char color[16];
        const auto bgr = static_cast<unsigned>(text.color);
        std::snprintf(color, sizeof color, " #%02X%02X%02X", bgr & 0xFFu, (bgr >> 8) & 0xFFu,
                      (bgr >> 16) & 0xFFu);
        line += color;
    }
    if (font.size != 10.0f) {
        line += " size=" + std::to_string(font.size);
    }
    if (font.name != "Arial") {
        line += " face=" + font.name;
    }
    return line;
}

Drawing Drawn(const RecordingSurface& surface) {
    Drawing drawing;
    for (const DrawnText& text : surface.drawn()) {
        drawing.push_back(Describe(text));
    }
    return drawing;
}

// Steps split by "|": "abc@x,y STYLE" is a, b and c drawn from (x, y) on in
// that style, 8 pixels apart (10 in bold); a character takes the non-ASCII
// bytes after it along.
Drawing Expected(std::string_view steps) {
    Drawing drawing;
    while (!steps.empty()) {
        const std::string_view step = steps.substr(0, steps.find('|'));
        steps.remove_prefix(std::min(steps.size(), step.size() + 1));
        const std::size_t at = step.rfind('@');
        const std::size_t comma = step.find(',', at);
        const std::size_t space = std::min(step.size(), step.find(' ', comma));
        const std::string y(step.substr(comma + 1, space - comma - 1));
        const std::string style(step.substr(space));
        int x = std::stoi(std::string(step.substr(at + 1)));
        for (std::size_t k = 0, end = 1; k < at; k = end++) {
            while (end < at && static_cast<unsigned char>(step[end]) >= 0x80) {
                ++end;
            }
            std::string drawn(step.substr(k, end - k));
            drawn += "@" + std::to_string(x) + ",";
            drawn += y;
            drawn += style;
            drawing.push_back(drawn);
            x += style.starts_with(" b") ? 10 : 8;
        }
    }
    return drawing;
}

// Each markup drawn on a surface that has been drawn on before, in another
// font and colour and in unit 7: it shows only the new drawing, starting from
// 10-point Arial, plain and black, and gets its unit back.
void ExpectAll(std::initializer_list<std::pair<std::u16string_view, std::string_view>> cases) {
    for (const auto& [markup, steps] : cases) {
        RecordingSurface surface(8.0f, 7);
        surface.SetFontName(u"Courier");
        surface.SetFontSize(20.0f);
        for (auto set : {&DrawingSurface::SetFontBold, &DrawingSurface::SetFontItalic,
                         &DrawingSurface::SetFontUnderline, &DrawingSurface::SetFontStrikethru}) {
            (surface.*set)(true);
        }
        surface.SetForeColor(0x123456);
        surface.Print(u"old");
        EXPECT_TRUE(RenderMarkupPreview(surface, markup));
        EXPECT_THAT(Drawn(surface), ElementsAreArray(Expected(steps))) << steps;
        EXPECT_EQ(surface.ScaleMode(), 7);
        EXPECT_TRUE(surface.autoRedraw());
    }
}

TEST(RenderMarkup, Tags) {
    ExpectAll({
        {u"<u>a</U>b<S>c</s>d<B>e</b>f<i>g</I>h",
         "a@2,0 u|b@10,0|c@18,0 s|d@26,0|e@34,0 b|f@44,0|g@52,0 i|h@60,0"},
        // Each width is measured in the font the character was drawn in.
        {u"<b>H<sup>2</sup></b>O", "H@2,0 b|2@12,-1 b|O@22,0"},
        {u"<SuP>a<SUB>b</sup>c<sub></SUB>d", "a@2,-1|b@10,1|cd@18,0"}, // shifts do not nest
        {u"<b >< b><br><></font><bold><font><font  color=#f00000><fontcolor=#f00000>a>b",
         "a>b@2,0"},
        // Colours: up to six digits after the first "#" (or from the start), red first.
        {u"<FONT COLOR=#00ff00>x", "x@2,0 #00FF00"},
        {u"<font color=#12345678>x", "x@2,0 #123456"},
        {u"<font color=#ff#00ff>x", "x@2,0 #FF000F"}, // "#" counts as 0
        {u"<font color=#ff>x", "x@2,0 #FF00FF"},      // blue from the last two
        {u"<font color=#abc>x", "x@2,0 #AB0CBC"},
        {u"<font color=\"#FFFFFF\" size=2>x", "x@2,0 #FFFFFF"},
        {u"<font color=red>x", "x@2,0 #F0000C"}, // "font c": F0, 00, 0C
        // A face is everything after the first quote, in lower case.
        {u"<Font Face=\"Times New Roman\">x", "x@2,0 face=times new roman\""},
        {u"<font face=\"x\" color=#00ff00>y", "y@2,0 face=x\" color=#00ff00"},
        {u"<font color=#00ff00 face=\"x\">y", "y@2,0 #00FF00"},
        {u"<font face=\">y", "y@2,0 face="}, // the empty name
        {u"<font face=Arial>y", "y@2,0 face=font face=arial"},
    });
}

TEST(RenderMarkup, Text) {
    ExpectAll({
        {u"<Font Color=#FF0000>a+chr13+<font color=#0000ff>b\r\rc",
         "a@2,0 #FF0000|b@2,16 #0000FF|c@2,48 #0000FF"},
        {u"+CHR13+++chr13+x", "+CHR13++@2,0|x@2,16"},
        {u"+chr<b>13+", "+chr@2,0|13+@34,0 b"},
        {u"<b\r>x", "x@2,0"}, // the tag text "b+chr13+" does nothing
        {u"a\r\nb", "a@2,0|\nb@2,16"},
        {u"<b><font color=#0000ff><font face=\"x\"><sub>a\rb</b>\rc",
         "a@2,1 b #0000FF face=x\"|b@2,17 b #0000FF face=x\"|c@2,33 #0000FF face=x\""},
        // A "<" with no ">" after it is text.
        {u"<b>x<y\r<", "x<y@2,0 b|<@2,16 b"},
        // A typed "<" runs to the end of the next colour tag, which it swallows.
        {u"<Font Color=#FF0000>x<Font Color=#00FF00><<Font Color=#0000FF>y",
         "x@2,0 #FF0000|y@10,0 #00FF00"},
        // Characters and references.
        {u"\U0001F600\xD83D<b>a", "\U0001F600@2,0|\uFFFD@10,0|a@18,0 b"},
        {u"&lt;b&gt;&amp;&quot;", "<b>&\"@2,0"},
        {u"&#65;&#x42;&#X4a;&#0067;&#x1F600;", "ABJC@2,0|\U0001F600@34,0"},
        // No surrogates, nothing past U+10FFFF.
        {u"&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&",
         "&#xD800;&#1114112;&#x;&#;&#65&lt&LT;&nbsp;&@2,0"},
        {u"&&amp;&lt\r;", "&&&lt@2,0|;@2,16"},
        {u"", ""},
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
             "\u0600@2,0|\u0600@10,0 b|<@20,0 b|\u0600@30,0 b|x@2,16 b"},
        });
    }
    if (SimpleLowercase(U'\u00C4') == U'\u00E4') {
        ExpectAll({{u"<font face=\"\u00C4RIAL\">x", "x@2,0 face=\u00E4rial\""},
                   {u"<\u0130>x", "x@2,0 i"}});
    }
}

TEST(RenderMarkup, YieldsOncePerCarriageReturnBeforeTouchingTheSurface) {
    RecordingSurface surface;
    int yields = 0;
    EXPECT_TRUE(RenderMarkupPreview(surface, u"a\rb\r\rc", [&] {
        EXPECT_FALSE(surface.touched());
        return ++yields > 0;
    }));
    EXPECT_EQ(yields, 3);
    EXPECT_THAT(Drawn(surface), ElementsAreArray(Expected("a@2,0|b@2,16|c@2,48")));
    RecordingSurface stopped;
    EXPECT_FALSE(RenderMarkupPreview(stopped, u"a\rb\rc", [&] { return ++yields < 5; }));
    EXPECT_EQ(yields, 5);
    EXPECT_FALSE(stopped.touched());
}

// What was drawn before the failure stays; the unit is not put back.
TEST(RenderMarkup, FailingSurfaceStopsDrawingAndLeavesWhatItDrew) {
    struct FailingSurface : RecordingSurface {
        void Print(std::u16string_view text) override {
            text == u"b" ? throw std::runtime_error("cannot draw") : RecordingSurface::Print(text);
        }
    } surface;
    EXPECT_THROW(RenderMarkupPreview(surface, u"abc"), std::runtime_error);
    EXPECT_EQ(surface.ScaleMode(), kScalePixels);
    EXPECT_THAT(Drawn(surface), ElementsAreArray(Expected("a@2,0")));
}

} // namespace
} // namespace VexoFade
