#include "preview/markup_entity.h"

namespace VexoFade {
namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

int DigitValue(char16_t c, int base) {
    int value = 99;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        value = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        value = c - u'A' + 10;
    }
    return value < base ? value : -1;
}

// "&#..." from `at`: digits in the base, at least one, then ";". Values past
// the last code point stop the reading early, so no run of digits overflows.
std::optional<MarkupEntity> NumericAt(std::u16string_view text, std::size_t at) {
    std::size_t i = at + 2;
    int base = 10;
    if (i < text.size() && (text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    }
    const std::size_t firstDigit = i;
    char32_t code = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            break;
        }
        code = code * static_cast<char32_t>(base) + static_cast<char32_t>(digit);
        if (code > kLastCodePoint) {
            return std::nullopt;
        }
    }
    if (i == firstDigit || i >= text.size() || text[i] != u';' ||
        (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return MarkupEntity{i + 1 - at, code};
}

} // namespace

std::optional<MarkupEntity> EntityAt(std::u16string_view text, std::size_t at) {
    struct Named {
        std::u16string_view text;
        char32_t code;
    };
    static constexpr Named kNamed[] = {
        {u"&lt;", U'<'}, {u"&gt;", U'>'}, {u"&amp;", U'&'}, {u"&quot;", U'"'}};
    const std::u16string_view rest = text.substr(at);
    if (rest.starts_with(u"&#")) {
        return NumericAt(text, at);
    }
    for (const Named& named : kNamed) {
        if (rest.starts_with(named.text)) {
            return MarkupEntity{named.text.size(), named.code};
        }
    }
    return std::nullopt;
}

} // namespace VexoFade
