#include "bridge/ansi_text.h"

#include "base/utf16.h"

#include <array>
#include <cstdint>

namespace Module1 {
namespace {

// Bytes 0x80 to 0x9F and the characters they stand for; 0 where Windows
// passes the C1 control of the same value through unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char EncodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t k = 0; k < kHighControls.size(); ++k) {
        const char16_t mapped = kHighControls[k];
        if (mapped == c || (mapped == 0 && static_cast<std::size_t>(c) == 0x80 + k)) {
            return static_cast<char>(0x80 + k);
        }
    }
    return '?';
}

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 0x20);
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) { // À..Þ less the multiplication sign
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

} // namespace

std::string EncodeWindows1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (Chromell::IsSurrogate(text[k])) {
            k += Chromell::CodePointLength(text, k) - 1;
            out.push_back('?');
        } else {
            out.push_back(EncodeOne(text[k]));
        }
    }
    return out;
}

bool EqualIgnoringCase1252(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (FoldCase(static_cast<unsigned char>(a[k])) !=
            FoldCase(static_cast<unsigned char>(b[k]))) {
            return false;
        }
    }
    return true;
}

} // namespace Module1
