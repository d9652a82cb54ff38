// Any markup onto the recording surface: the unit comes back as it was, and
// every character that is not part of a tag or a line-break marker is drawn
// exactly once, in order, a character reference as the character it names.
#include "preview/render_markup.h"
#include "preview/testing/recording_surface.h"

#include <algorithm>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Keeps what is printed as it was given, lone surrogates and all.
class PrintCollector : public VexoFade::RecordingSurface {
public:
    using RecordingSurface::RecordingSurface;
    void Print(std::u16string_view text) override {
        printed.emplace_back(text);
        RecordingSurface::Print(text);
    }
    std::vector<std::u16string> printed;
};

// The code point a reference between `&` and `;` names, or 0x110000 when the
// body names none.
char32_t Referenced(std::u16string_view body) {
    static constexpr std::pair<std::u16string_view, char32_t> kNamed[] = {
        {u"lt", U'<'}, {u"gt", U'>'}, {u"amp", U'&'}, {u"quot", U'"'}};
    for (const auto& [name, code] : kNamed) {
        if (body == name) {
            return code;
        }
    }
    if (body.size() < 2 || body[0] != u'#') {
        return 0x110000;
    }
    const bool hex = body[1] == u'x' || body[1] == u'X';
    const std::u16string_view digits = body.substr(hex ? 2 : 1);
    const std::u16string_view allowed = hex ? u"0123456789abcdefABCDEF" : u"0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::u16string_view::npos) {
        return 0x110000;
    }
    char32_t code = 0;
    for (const char16_t c : digits) {
        const std::size_t digit = allowed.find(c);
        code =
            std::min<char32_t>(0x110000, code * (hex ? 16 : 10) +
                                             static_cast<char32_t>(digit < 16 ? digit : digit - 6));
    }
    return code >= 0xD800 && code <= 0xDFFF ? 0x110000 : code;
}

// What should be drawn, found by a plain scan of its own.
std::u16string Visible(const std::u16string& markup) {
    std::u16string text;
    for (char16_t c : markup) {
        text += c == u'\r' ? std::u16string(u"+chr13+") : std::u16string(1, c);
    }
    std::u16string visible;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t close = text.find(text[i] == u'<' ? u'>' : u';', i + 1);
        if (text[i] == u'<' && close != std::u16string::npos) {
            i = close + 1;
        } else if (text.compare(i, 7, u"+chr13+") == 0) {
            i += 7;
        } else if (text[i] == u'&' && close != std::u16string::npos &&
                   Referenced(std::u16string_view(text).substr(i + 1, close - i - 1)) <= 0x10FFFF) {
            const char32_t code =
                Referenced(std::u16string_view(text).substr(i + 1, close - i - 1));
            if (code >= 0x10000) {
                visible += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
                visible += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
            } else {
                visible += static_cast<char16_t>(code);
            }
            i = close + 1;
        } else {
            visible += text[i++];
        }
    }
    return visible;
}

// Folds units onto the characters that matter to the renderer.
char16_t Fold(char16_t unit) {
    static constexpr char16_t kAlphabet[] = u"<>/+chr13+ bBiIuUsSpP#f0aA\r\n\"=ont&;xXltgmq7\u0301";
    return kAlphabet[unit % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const bool fold = provider.ConsumeBool();
    const auto unit = provider.ConsumeIntegral<std::int16_t>();
    const std::vector<std::uint8_t> bytes = provider.ConsumeRemainingBytes<std::uint8_t>();
    std::u16string markup;
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        const auto c = static_cast<char16_t>(bytes[k] << 8 | bytes[k + 1]);
        // Surrogates stay now and then, so pairs get drawn too.
        markup += fold && (c & 0xF800) != 0xD800 ? Fold(c) : c;
    }
    PrintCollector surface(7.0f, unit);
    int yields = 0;
    VexoFade::RenderMarkupPreview(surface, markup, [&] { return ++yields > 0; });

    Check(surface.ScaleMode() == unit);
    std::u16string printed;
    for (const std::u16string& piece : surface.printed) {
        Check(!piece.empty());
        printed += piece;
    }
    Check(printed == Visible(markup));
    Check(yields == static_cast<int>(std::count(markup.begin(), markup.end(), u'\r')));
    return 0;
}
