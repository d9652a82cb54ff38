// Any markup onto the recording surface: the unit comes back as it was, and
// every character that is not part of a tag or a line-break marker is drawn
// exactly once, in order.
#include "fuzz/fuzz_input.h"
#include "preview/testing/recording_surface.h"
#include "preview/render_markup.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What should be drawn, found by a plain scan of its own.
std::u16string Visible(const std::u16string& markup) {
    std::u16string text;
    for (char16_t c : markup) {
        if (c == u'\r') {
            text += u"+chr13+";
        } else {
            text += c;
        }
    }
    std::u16string visible;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'<') {
            const std::size_t close = text.find(u'>', i + 1);
            if (close != std::u16string::npos) {
                i = close + 1;
                continue;
            }
        } else if (text.compare(i, 7, u"+chr13+") == 0) {
            i += 7;
            continue;
        }
        visible += text[i++];
    }
    return visible;
}

// Folds units onto the characters that matter to the renderer, most of the time.
char16_t Fold(char16_t unit) {
    static constexpr char16_t kAlphabet[] = u"<>/+chr13+ bBiIuUsSpP#f0aA\r\n\"=ont";
    return kAlphabet[unit % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ChromellFuzz::FuzzInput input(data, size);
    const std::uint8_t shape = input.Byte();
    std::u16string markup = input.Rest();
    if (shape & 1) {
        for (char16_t& c : markup) {
            // Keep surrogates now and then so pairs get drawn too.
            if ((c & 0xF800) != 0xD800) {
                c = Fold(c);
            }
        }
    }
    const std::int16_t unit = static_cast<std::int16_t>(shape >> 1);
    VexoFade::RecordingSurface surface(7.0f, unit);
    int yields = 0;
    VexoFade::RenderMarkupPreview(surface, markup, [&] {
        ++yields;
        return true;
    });

    Check(surface.ScaleMode() == unit);
    std::u16string printed;
    for (const std::u16string& call : surface.calls()) {
        if (call.starts_with(u"Print ")) {
            const std::u16string_view character = std::u16string_view(call).substr(6);
            Check(character.size() == 1 || character.size() == 2);
            printed += character;
        }
    }
    Check(printed == Visible(markup));
    Check(yields == static_cast<int>(std::count(markup.begin(), markup.end(), u'\r')));
    return 0;
}
