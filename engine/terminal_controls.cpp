#include "engine/terminal_controls.h"

namespace VexoFade::Terminal {
namespace {

constexpr char16_t kCan = 0x18;
constexpr char16_t kSub = 0x1A;
constexpr char16_t kBel = 0x07;
constexpr char16_t kStringTerminator = 0x9C;

bool IsC1(char16_t c) {
    return c >= 0x80 && c <= 0x9F;
}

// A C0 control or DEL inside an escape or control sequence: the terminal
// acts on it (or ignores it) and the sequence goes on.
bool Embedded(char16_t c) {
    return (c < 0x20 && c != kCan && c != kSub && c != kEsc) || c == 0x7F;
}

bool OpensString(char16_t finalByte) {
    return finalByte == u']' || finalByte == u'P' || finalByte == u'X' || finalByte == u'^' ||
           finalByte == u'_';
}

} // namespace

std::size_t ReadControl(std::u16string_view text, std::size_t at, State& state) {
    switch (text[at]) {
    case kEsc:
        state = State::Escape;
        break;
    case 0x9B:
        state = State::Csi;
        break;
    case 0x90: // DCS
    case 0x98: // SOS
    case 0x9D: // OSC
    case 0x9E: // PM
    case 0x9F: // APC
        state = State::String;
        break;
    default: // a control of its own
        state = State::Ground;
        return at + 1;
    }
    return Continue(text, at + 1, state);
}

std::size_t Continue(std::u16string_view text, std::size_t at, State& state) {
    for (std::size_t k = at; k < text.size(); ++k) {
        const char16_t c = text[k];
        switch (state) {
        case State::StringEscape:
            if (c == u'\\') {
                state = State::Ground;
                return k + 1;
            }
            // The ESC began an escape sequence of its own.
            state = State::Escape;
            [[fallthrough]];
        case State::Escape:
            if (c == u'[') {
                state = State::Csi;
                continue;
            }
            if (OpensString(c)) {
                state = State::String;
                continue;
            }
            [[fallthrough]];
        case State::EscapeIntermediate:
            if (c >= 0x20 && c <= 0x2F) {
                state = State::EscapeIntermediate;
                continue;
            }
            if (c >= 0x30 && c <= 0x7E) {
                state = State::Ground;
                return k + 1;
            }
            if (Embedded(c)) {
                continue;
            }
            state = State::Ground;
            return k;
        case State::Csi:
            if (c >= 0x40 && c <= 0x7E) {
                state = State::Ground;
                return k + 1;
            }
            if ((c >= 0x20 && c <= 0x3F) || Embedded(c)) {
                continue;
            }
            state = State::Ground;
            return k;
        case State::String:
            if (c == kBel || c == kStringTerminator) {
                state = State::Ground;
                return k + 1;
            }
            if (c == kEsc) {
                state = State::StringEscape;
                continue;
            }
            if (c == kCan || c == kSub || IsC1(c)) {
                state = State::Ground;
                return k;
            }
            continue;
        case State::Ground:
            return k;
        }
    }
    return text.size();
}

} // namespace VexoFade::Terminal
