#include "engine/gradient.h"
#include "engine/terminal_controls.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

const std::vector<Rgb> kStops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// The markup less the colours the terminal formats add: ESC[38;2;...m,
// ESC[38;5;...m and the reset ESC[0m. Also counts the colours.
std::u16string WithoutOurColours(std::u16string_view markup, std::size_t* colours = nullptr) {
    std::u16string rest;
    std::size_t count = 0;
    for (std::size_t at = 0; at < markup.size();) {
        const std::u16string_view tail = markup.substr(at);
        if (tail.starts_with(u"\x1b[38;2;") || tail.starts_with(u"\x1b[38;5;")) {
            at = markup.find(u'm', at) + 1;
            ++count;
        } else if (tail.starts_with(u"\x1b[0m")) {
            at += 4;
        } else {
            rest += markup[at++];
        }
    }
    if (colours != nullptr) {
        *colours = count;
    }
    return rest;
}

// Controls as terminals meet them: each passes through whole, takes no colour
// step and leaves the terminal uncoloured at the end, per line too.
TEST(FadeGradient, TerminalControlsPassThroughWhole) {
    const struct {
        std::u16string_view text;
        std::size_t steps;
        std::vector<std::u16string_view> controls;
    } rows[] = {
        // tput sgr0: ESC ( B, then CSI m.
        {u"a\x1b(B\x1b[mb", 2, {u"\x1b(B\x1b[m"}},
        // tput sc / rc, and a full reset.
        {u"a\x1b"
         u"7bc\x1b"
         u"8d\x1b"
         u"c",
         4,
         {u"\x1b"
          u"7",
          u"\x1b"
          u"8",
          u"\x1b"
          u"c"}},
        // Line drawing on and off.
        {u"\x1b(0lqk\x1b(B", 3, {u"\x1b(0", u"\x1b(B"}},
        // An OSC 8 hyperlink, ended by ST.
        {u"\x1b]8;;https://example.org/\x1b\\link\x1b]8;;\x1b\\.",
         5,
         {u"\x1b]8;;https://example.org/\x1b\\", u"\x1b]8;;\x1b\\"}},
        // A DCS string that holds a line break, and an OSC ended by BEL.
        {u"x\x1bPq#0;2;0;0;0\r\n-\x1b\\y\x1b]0;title\x07z",
         3,
         {u"\x1bPq#0;2;0;0;0\r\n-\x1b\\", u"\x1b]0;title\x07"}},
        // C1 CSI, C1 OSC ended by C1 ST, and a C1 control of its own (NEL).
        {u"\u009b1mx\u009d0;t\u009cy\u0085z", 3, {u"\u009b1m", u"\u009d0;t\u009c", u"\u0085"}},
        // C0 controls pass uncoloured; a tab is a character like a blank.
        {u"a\x07"
         u"b\x08\tc\x00",
         4,
         {u"\x07", u"\x08"}},
        // An ESC inside a control string starts a sequence of its own; CAN
        // ends one before it.
        {u"\x1b]0;t\x1b[1mx\x1b[2\x18y", 2, {u"\x1b]0;t\x1b[1m", u"\x1b[2", u"\x18"}},
        // Cut off by the end of the input: as far as it goes.
        {u"ab\x1b]8;;http", 2, {u"\x1b]8;;http"}},
        {u"ab\x1b[38;2", 2, {u"\x1b[38;2"}},
    };
    for (const auto& row : rows) {
        for (const MarkupFormat format : {MarkupFormat::Ansi, MarkupFormat::Ansi256}) {
            for (const bool perLine : {false, true}) {
                const std::u16string markup =
                    FadeGradient(kStops, row.text, {.format = format, .perLine = perLine});
                const std::string where =
                    testing::PrintToString(std::u16string(row.text)) + (perLine ? " per line" : "");
                std::size_t colours = 0;
                EXPECT_EQ(WithoutOurColours(markup, &colours), row.text) << where;
                EXPECT_EQ(colours, row.steps) << where;
                for (const std::u16string_view control : row.controls) {
                    EXPECT_NE(markup.find(control), markup.npos) << where;
                }
                EXPECT_TRUE(markup.ends_with(u"\x1b[0m")) << where;
            }
        }
    }
}

// A colour is written only at a character: right before one, never inside a
// control, whichever piece a control is cut in.
TEST(GradientStream, ControlsCutAcrossPiecesStayWhole) {
    const std::u16string text = u"a\x1bPq\n#0\x1b\\b\r\n\x1b]8;;u\x07"
                                u"c\u009b2Jd\x1b(0e";
    for (const bool perLine : {false, true}) {
        const GradientOptions options{.format = MarkupFormat::Ansi, .perLine = perLine};
        const std::u16string whole = FadeGradient(kStops, text, options);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            std::u16string out;
            StringSink sink(out);
            GradientStream stream(kStops, options, sink);
            stream.Append(std::u16string_view(text).substr(0, cut));
            stream.Append(std::u16string_view(text).substr(cut));
            stream.Finish();
            ASSERT_EQ(out, whole) << cut << (perLine ? " per line" : "");
        }
        std::size_t colours = 0;
        EXPECT_EQ(WithoutOurColours(whole, &colours), text);
        EXPECT_EQ(colours, 5u);
        EXPECT_NE(whole.find(u"\x1bPq\n#0\x1b\\"), whole.npos);
    }
}

TEST(TerminalControls, ReadWhereTerminalsEndThem) {
    using Terminal::State;
    const struct {
        std::u16string_view text;
        std::size_t length;
        State after;
    } rows[] = {
        {u"\x1b(Bx", 3, State::Ground},
        {u"\x1b[1;2mx", 6, State::Ground},
        {u"\x1b[1\n2mx", 6, State::Ground},
        {u"\x1b]0;t\x1b\\x", 7, State::Ground},
        {u"\x1b]0;t\x1b", 6, State::StringEscape},
        {u"\x1b[1\u00e9", 3, State::Ground},
        {u"\x1b#", 2, State::EscapeIntermediate},
        {u"\x07x", 1, State::Ground},
        {u"\u0090q\u009cx", 3, State::Ground},
        {u"\x1b_a\u0085", 3, State::Ground},
    };
    for (const auto& row : rows) {
        State state = State::Ground;
        EXPECT_EQ(Terminal::ReadControl(row.text, 0, state), row.length)
            << testing::PrintToString(std::u16string(row.text));
        EXPECT_EQ(state, row.after) << testing::PrintToString(std::u16string(row.text));
    }
    // A string begun in one piece ends in the next.
    State state = State::StringEscape;
    EXPECT_EQ(Terminal::Continue(u"\\x", 0, state), 1u);
    EXPECT_EQ(state, State::Ground);
}

} // namespace
} // namespace VexoFade
