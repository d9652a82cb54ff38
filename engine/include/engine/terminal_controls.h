#pragma once

// The controls of a terminal's input (ECMA-48), as the terminal formats pass
// them through: escape sequences (ESC, intermediate bytes 0x20–0x2F, a final
// byte 0x30–0x7E), control sequences (CSI: ESC [ or U+009B, parameter and
// intermediate bytes 0x20–0x3F, a final byte 0x40–0x7E), control strings
// (OSC, DCS, SOS, PM and APC, as ESC ] P X ^ _ or U+009D, U+0090, U+0098,
// U+009E, U+009F, up to BEL or ST: ESC \ or U+009C), the other C1 controls
// (U+0080–U+009F) and the C0 controls other than line breaks and tab.
//
// Inside an escape or control sequence a C0 control (other than CAN, SUB and
// ESC) and DEL belong to the sequence, as a terminal reads them; CAN, SUB, a
// C1 control, ESC or any other character that cannot be part of it ends the
// sequence before it. Inside a control string anything but its terminator
// belongs to it, line breaks too; CAN, SUB and a C1 control end it before
// them, and an ESC not followed by "\" starts a sequence of its own.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace VexoFade::Terminal {

// Where a reader stands: outside every control, or inside one that has not
// ended yet (the text ran out first).
enum class State : std::uint8_t { Ground, Escape, EscapeIntermediate, Csi, String, StringEscape };

constexpr char16_t kEsc = 0x1B;

// Whether `c` begins a control: a C0 control other than LF, CR and tab, or a
// C1 control.
constexpr bool StartsControl(char16_t c) {
    return (c < 0x20 && c != u'\n' && c != u'\r' && c != u'\t') || (c >= 0x80 && c <= 0x9F);
}

// Whether a control that begins with `c` may change the terminal's colour
// (an escape or control sequence), so the colour is reset after it.
constexpr bool MaySetColour(char16_t c) {
    return c == kEsc || c == 0x9B;
}

// Reads the control that begins at `at` (StartsControl(text[at])) and
// returns where it ends. `state` is Ground afterwards if the control ended
// within the text, else where the reader stands at the text's end: the next
// piece of the text continues it through Continue().
std::size_t ReadControl(std::u16string_view text, std::size_t at, State& state);

// Goes on with a control begun in an earlier piece (`state` not Ground) from
// `at`: returns where it ends, and updates `state` as ReadControl() does.
std::size_t Continue(std::u16string_view text, std::size_t at, State& state);

} // namespace VexoFade::Terminal
