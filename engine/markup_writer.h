#pragma once

// How one unit of a gradient and its colour are written in each markup
// format. The gradient loop is compiled once per format, so every call here
// inlines into it: no per-unit dispatch.

#include "engine/gradient.h"
#include "engine/xterm256.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace VexoFade::Markup {

using HexPairs = std::array<std::array<char16_t, 2>, 256>;

constexpr HexPairs MakeHexPairs(const char16_t* digits) {
    HexPairs pairs{};
    for (std::size_t v = 0; v < 256; ++v) {
        pairs[v] = {digits[v >> 4], digits[v & 0xF]};
    }
    return pairs;
}
inline constexpr HexPairs kUpperHex = MakeHexPairs(u"0123456789ABCDEF");
inline constexpr HexPairs kLowerHex = MakeHexPairs(u"0123456789abcdef");

// Decimal digits of every byte value, for the terminal formats.
struct Decimal {
    char16_t digits[3];
    std::size_t length;
};
inline constexpr std::array<Decimal, 256> kDecimal = [] {
    std::array<Decimal, 256> table{};
    for (std::size_t v = 0; v < 256; ++v) {
        const auto digit = [](std::size_t d) { return static_cast<char16_t>(u'0' + d); };
        if (v >= 100) {
            table[v] = {{digit(v / 100), digit(v / 10 % 10), digit(v % 10)}, 3};
        } else if (v >= 10) {
            table[v] = {{digit(v / 10), digit(v % 10)}, 2};
        } else {
            table[v] = {{digit(v)}, 1};
        }
    }
    return table;
}();

// The digits of every byte value followed by one more character (";" or
// "m"), padded to four units so that each is written by one 8-byte move.
struct DecimalThen {
    char16_t units[4];
    std::size_t length;
};
constexpr std::array<DecimalThen, 256> MakeDecimalThen(char16_t after) {
    std::array<DecimalThen, 256> table{};
    for (std::size_t v = 0; v < 256; ++v) {
        const Decimal& d = kDecimal[v];
        for (std::size_t k = 0; k < d.length; ++k) {
            table[v].units[k] = d.digits[k];
        }
        table[v].units[d.length] = after;
        table[v].length = d.length + 1;
    }
    return table;
}
inline constexpr std::array<DecimalThen, 256> kDecimalSemicolon = MakeDecimalThen(u';');
inline constexpr std::array<DecimalThen, 256> kDecimalM = MakeDecimalThen(u'm');

inline char16_t* PutDecimalThen(char16_t* out, const std::array<DecimalThen, 256>& table,
                                std::uint8_t value) {
    const DecimalThen& d = table[value];
    std::memcpy(out, d.units, sizeof d.units);
    return out + d.length;
}

inline char16_t* Put(char16_t* out, std::u16string_view text) {
    // Most texts here are a character of a few units: a call to memcpy would
    // cost more than the copy.
    if (text.size() <= 4) {
        for (const char16_t c : text) {
            *out++ = c;
        }
        return out;
    }
    std::memcpy(out, text.data(), text.size() * sizeof(char16_t));
    return out + text.size();
}

// A literal: its length is known here, so the copy is a few moves.
template <std::size_t N> char16_t* Put(char16_t* out, const char16_t (&literal)[N]) {
    std::memcpy(out, literal, (N - 1) * sizeof(char16_t));
    return out + (N - 1);
}

// A unit of the text: most are one UTF-16 unit, which needs no copy call.
inline char16_t* PutUnit(char16_t* out, std::u16string_view unit) {
    if (unit.size() == 1) {
        *out = unit[0];
        return out + 1;
    }
    return Put(out, unit);
}

inline char16_t* PutHex(char16_t* out, const HexPairs& pairs, Rgb colour) {
    std::memcpy(out, pairs[colour.red].data(), 2 * sizeof(char16_t));
    std::memcpy(out + 2, pairs[colour.green].data(), 2 * sizeof(char16_t));
    std::memcpy(out + 4, pairs[colour.blue].data(), 2 * sizeof(char16_t));
    return out + 6;
}

inline bool NeedsEntity(char16_t c) {
    constexpr std::uint64_t kMask = (1ULL << u'<') | (1ULL << u'>') | (1ULL << u'&');
    return c < 64 && ((kMask >> c) & 1U) != 0;
}

// "<", ">" and "&" as entities, so the user's text never opens a tag.
inline char16_t* PutEscapedXml(char16_t* out, std::u16string_view unit) {
    for (const char16_t c : unit) {
        if (!NeedsEntity(c)) {
            *out++ = c;
            continue;
        }
        switch (c) {
        case u'<':
            out = Put(out, u"&lt;");
            break;
        case u'>':
            out = Put(out, u"&gt;");
            break;
        default:
            out = Put(out, u"&amp;");
        }
    }
    return out;
}

// What most formats write around the units: nothing before the first, a line
// break outside the gradient (one of its own per line) as it is, nothing after
// the last. Escaped() is told of an escape sequence the input passes through.
struct PlainFrame {
    static constexpr std::size_t kFrame = 0;
    char16_t* Start(char16_t* out) const { return out; }
    char16_t* Break(char16_t* out, std::u16string_view line_break) { return Put(out, line_break); }
    void Escaped() {}
    char16_t* Finish(char16_t* out) const { return out; }
};

// The gradient's inner loop calls Unit() for every character: it is always
// inlined there.
#if defined(__GNUC__)
#define CHROMELL_INLINE [[gnu::always_inline]] inline
#else
#define CHROMELL_INLINE inline
#endif

// wave: 0 for none, else the step of the cycle 1 to 4 (<sup>, </sup>, <sub>, </sub>).
template <MarkupFormat F> struct Writer;

template <> struct Writer<MarkupFormat::Aim> : PlainFrame {
    static constexpr std::size_t kOverhead = 27; // "<Font Color=#RRGGBB></sup>" and padding
    static constexpr std::size_t kEscapeGrowth = 5;
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int wave) {
        // ">" and the wave tag, padded to eight units so each copies in one go.
        struct Suffix {
            char16_t units[8];
            std::size_t length;
        };
        static constexpr Suffix kSuffixes[5] = {{{u'>'}, 1},
                                                {{u'>', u'<', u's', u'u', u'p', u'>'}, 6},
                                                {{u'>', u'<', u'/', u's', u'u', u'p', u'>'}, 7},
                                                {{u'>', u'<', u's', u'u', u'b', u'>'}, 6},
                                                {{u'>', u'<', u'/', u's', u'u', u'b', u'>'}, 7}};
        out = Put(out, u"<Font Color=#");
        out = PutHex(out, kUpperHex, colour);
        const Suffix& suffix = kSuffixes[wave];
        std::memcpy(out, suffix.units, sizeof suffix.units);
        out += suffix.length;
        if (unit.size() == 1 && !NeedsEntity(unit[0])) {
            *out = unit[0];
            return out + 1;
        }
        return PutEscapedXml(out, unit);
    }
    CHROMELL_INLINE char16_t* LineBreak(char16_t* out, Rgb colour, std::u16string_view unit,
                                        int wave) {
        return Unit(out, colour, unit, wave);
    }
};

// The spans sit in an element that keeps white space as it is (runs of
// blanks, tabs, blanks at either end of a line); a line break is <br>.
template <> struct Writer<MarkupFormat::Html> : PlainFrame {
    static constexpr std::size_t kFrame = 36;
    char16_t* Start(char16_t* out) const {
        return Put(out, u"<span style=\"white-space:pre-wrap\">");
    }
    char16_t* Break(char16_t* out, std::u16string_view) { return Put(out, u"<br>"); }
    char16_t* Finish(char16_t* out) const { return Put(out, u"</span>"); }
    static constexpr std::size_t kOverhead = 46;
    static constexpr std::size_t kEscapeGrowth = 5;
    char16_t* LineBreak(char16_t* out, Rgb, std::u16string_view, int) const {
        return Put(out, u"<br>");
    }
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int wave) {
        if (wave == 1 || wave == 3) {
            out = wave == 1 ? Put(out, u"<sup>") : Put(out, u"<sub>");
        }
        out = Put(out, u"<span style=\"color:#");
        out = PutHex(out, kLowerHex, colour);
        out = Put(out, u"\">");
        out = PutEscapedXml(out, unit);
        out = Put(out, u"</span>");
        if (wave == 1 || wave == 3) {
            out = wave == 1 ? Put(out, u"</sup>") : Put(out, u"</sub>");
        }
        return out;
    }
};

template <> struct Writer<MarkupFormat::BBCode> : PlainFrame {
    static constexpr std::size_t kOverhead = 23;
    static constexpr std::size_t kEscapeGrowth = 1;
    char16_t* LineBreak(char16_t* out, Rgb, std::u16string_view unit, int) const {
        return Put(out, unit);
    }
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int) {
        out = Put(out, u"[color=#");
        out = PutHex(out, kLowerHex, colour);
        out = Put(out, u"]");
        out = PutUnit(out, unit);
        return Put(out, u"[/color]");
    }
};

// The terminal formats reset the colour before every line break and at the
// end, if it was set since the last reset, so the lines up to any break
// leave the terminal uncoloured. An escape sequence of the input is written
// as it is and may set a colour of its own; the next unit sets the
// gradient's colour again.
struct AnsiBase : PlainFrame {
    static constexpr std::size_t kEscapeGrowth = 1;
    static constexpr std::size_t kFrame = 4;
    bool coloured = false;
    char16_t* Reset(char16_t* out) {
        if (!coloured) {
            return out;
        }
        coloured = false;
        return Put(out, u"\x1b[0m");
    }
    char16_t* Break(char16_t* out, std::u16string_view line_break) {
        return Put(Reset(out), line_break);
    }
    void Escaped() { coloured = true; }
    char16_t* Finish(char16_t* out) { return Reset(out); }
    char16_t* LineBreak(char16_t* out, Rgb, std::u16string_view unit, int) {
        return Break(out, unit);
    }
};

template <> struct Writer<MarkupFormat::Ansi> : AnsiBase {
    static constexpr std::size_t kOverhead = 19; // ESC[38;2;255;255;255m
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int) {
        coloured = true;
        out = Put(out, u"\x1b[38;2;");
        out = PutDecimalThen(out, kDecimalSemicolon, colour.red);
        out = PutDecimalThen(out, kDecimalSemicolon, colour.green);
        out = PutDecimalThen(out, kDecimalM, colour.blue);
        return PutUnit(out, unit);
    }
};

template <> struct Writer<MarkupFormat::Ansi256> : AnsiBase {
    static constexpr std::size_t kOverhead = 11; // ESC[38;5;255m
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int) {
        coloured = true;
        // Neighbouring units mostly share a colour: look each up once.
        if (!(colour == last_)) {
            last_ = colour;
            entry_ = NearestXterm256(colour);
        }
        out = Put(out, u"\x1b[38;5;");
        out = PutDecimalThen(out, kDecimalM, entry_);
        return PutUnit(out, unit);
    }

private:
    Rgb last_{0, 0, 0};
    std::uint8_t entry_ = 16; // the entry of black
};

// Each character in a colour tag of its own, opened and closed, so a parser
// in strict mode reads it and the tags never nest. "<" and "\\" are escaped
// with a backslash; a line break is text like any other.
template <> struct Writer<MarkupFormat::MiniMessage> : PlainFrame {
    static constexpr std::size_t kOverhead = 15; // <c:#rrggbb></c>
    static constexpr std::size_t kEscapeGrowth = 2;
    char16_t* LineBreak(char16_t* out, Rgb, std::u16string_view unit, int) const {
        return Put(out, unit);
    }
    CHROMELL_INLINE char16_t* Unit(char16_t* out, Rgb colour, std::u16string_view unit, int) {
        out = Put(out, u"<c:#");
        out = PutHex(out, kLowerHex, colour);
        *out++ = u'>';
        for (const char16_t c : unit) {
            if (c == u'<' || c == u'\\') {
                *out++ = u'\\';
            }
            *out++ = c;
        }
        return Put(out, u"</c>");
    }
};

} // namespace VexoFade::Markup
