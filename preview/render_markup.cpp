#include "preview/render_markup.h"

#include "engine/hex.h"
#include "engine/unicode/case.h"
#include "engine/unicode/grapheme.h"
#include "preview/markup_entity.h"

#include <algorithm>
#include <string>

namespace VexoFade {
namespace {

constexpr std::u16string_view kLineBreakMarker = u"+chr13+";
constexpr int kLineHeight = 16;
constexpr float kLeftMargin = 2.0f;

// Whether a tag, a character reference or the line-break marker starts at
// `at`: drawn text ends there, whatever cluster it was in.
bool StartsMarkup(std::u16string_view text, std::size_t at) {
    const char16_t c = text[at];
    return c == u'<' || c == u'&' || (c == u'+' && text.substr(at).starts_with(kLineBreakMarker));
}

// Length of the grapheme cluster at `at`, cut short where markup starts.
std::size_t ClusterLength(std::u16string_view text, std::size_t at) {
    const std::size_t length = GraphemeLength(text, at);
    for (std::size_t k = at + 1; k < at + length; ++k) {
        if (StartsMarkup(text, k)) {
            return k - at;
        }
    }
    return length;
}

void AppendCodePoint(char32_t code, std::u16string& out) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
}

// The cluster that a character reference at `at` starts: the character it
// names, joined by whatever marks follow it in the text. Returns the units of
// `text` that the cluster takes.
std::size_t EntityCluster(std::u16string_view text, std::size_t at, const MarkupEntity& entity,
                          std::u16string& cluster) {
    cluster.clear();
    AppendCodePoint(entity.code, cluster);
    const std::size_t decoded = cluster.size();
    std::size_t end = at + entity.length;
    while (end < text.size() && !StartsMarkup(text, end)) {
        ++end;
    }
    cluster.append(text.substr(at + entity.length, end - at - entity.length));
    const std::size_t length = std::max(decoded, GraphemeLength(cluster, 0));
    cluster.resize(length);
    return entity.length + length - decoded;
}

// "font color=#rrggbb": up to six characters after the first "#" (or from the
// start when there is none); red from the first two, green from the next two,
// blue from the last two of whatever is there.
RgbColor ColorFromTag(std::u16string_view tag) {
    const std::size_t hash = tag.find(u'#');
    const std::u16string_view digits =
        tag.substr(hash == std::u16string_view::npos ? 0 : hash + 1).substr(0, 6);
    const auto red = static_cast<int>(HexToNumber(digits.substr(0, 2)));
    const auto green =
        static_cast<int>(HexToNumber(digits.substr(std::min<std::size_t>(2, digits.size()), 2)));
    const auto blue = static_cast<int>(
        HexToNumber(digits.substr(digits.size() - std::min<std::size_t>(2, digits.size()))));
    return MakeRgb(red, green, blue);
}

// "font face=...": everything after the first double quote, or the whole tag.
std::u16string_view FaceFromTag(std::u16string_view tag) {
    const std::size_t quote = tag.find(u'"');
    return quote == std::u16string_view::npos ? tag : tag.substr(quote + 1);
}

// Applies one tag's effect; tags that mean nothing here are passed over.
void ApplyTag(DrawingSurface& surface, std::u16string_view tag, int& shift) {
    struct Switch {
        std::u16string_view text;
        void (DrawingSurface::*set)(bool);
        bool on;
    };
    static constexpr Switch kSwitches[] = {
        {u"u", &DrawingSurface::SetFontUnderline, true},
        {u"/u", &DrawingSurface::SetFontUnderline, false},
        {u"s", &DrawingSurface::SetFontStrikethru, true},
        {u"/s", &DrawingSurface::SetFontStrikethru, false},
        {u"b", &DrawingSurface::SetFontBold, true},
        {u"/b", &DrawingSurface::SetFontBold, false},
        {u"i", &DrawingSurface::SetFontItalic, true},
        {u"/i", &DrawingSurface::SetFontItalic, false},
    };
    for (const Switch& s : kSwitches) {
        if (tag == s.text) {
            (surface.*s.set)(s.on);
            return;
        }
    }
    if (tag == u"sup") {
        shift = -1;
        return;
    }
    if (tag == u"sub") {
        shift = 1;
        return;
    }
    if (tag == u"/sup" || tag == u"/sub") {
        shift = 0;
        return;
    }
    if (tag.starts_with(u"font color")) {
        surface.SetForeColor(ColorFromTag(tag));
    }
    if (tag.starts_with(u"font face")) {
        surface.SetFontName(FaceFromTag(tag));
    }
}

} // namespace

bool RenderMarkupPreview(DrawingSurface& surface, std::u16string_view markup,
                         const YieldFunction& yield) {
    const std::optional<std::u16string> prepared =
        ReplaceText(markup, u"\r", kLineBreakMarker, yield);
    if (!prepared) {
        return false;
    }
    const std::u16string& text = *prepared;

    const std::int16_t savedUnit = surface.ScaleMode();
    surface.SetScaleMode(kScalePixels);

    float penOffset = 0.0f;
    int lineTop = 0;
    int shift = 0;

    surface.SetFontName(u"Arial");
    surface.SetFontSize(10.0f);
    surface.SetFontBold(false);
    surface.SetFontItalic(false);
    surface.SetFontUnderline(false);
    surface.SetFontStrikethru(false);
    surface.SetAutoRedraw(true);
    surface.SetForeColor(0);
    surface.Cls();

    const std::u16string_view view(text);
    // A "<" after the last ">" starts no tag: it is drawn as it stands, and so
    // is everything after it but line breaks.
    const std::size_t lastClose = view.rfind(u'>');
    std::u16string tag;
    std::u16string cluster;
    for (std::size_t i = 0; i < view.size(); ++i) {
        const char16_t c = view[i];
        if (c == u'<') {
            if (lastClose != std::u16string_view::npos && lastClose > i) {
                const std::size_t close = view.find(u'>', i + 1);
                tag = ToLowerSimple(view.substr(i + 1, close - i - 1));
                ApplyTag(surface, tag, shift);
                i = close;
                continue;
            }
        } else if (c == u'+' && view.substr(i, kLineBreakMarker.size()) == kLineBreakMarker) {
            lineTop += kLineHeight;
            penOffset = 0.0f;
            i += kLineBreakMarker.size() - 1;
            continue;
        }
        std::u16string_view character;
        std::size_t taken = 0;
        const std::optional<MarkupEntity> entity = c == u'&' ? EntityAt(view, i) : std::nullopt;
        if (entity) {
            taken = EntityCluster(view, i, *entity, cluster);
            character = cluster;
        } else {
            taken = ClusterLength(view, i);
            character = view.substr(i, taken);
        }
        surface.SetCurrentY(static_cast<float>(lineTop + shift));
        surface.SetCurrentX(kLeftMargin + penOffset);
        surface.Print(character);
        penOffset += surface.TextWidth(character);
        i += taken - 1;
    }

    surface.SetScaleMode(savedUnit);
    return true;
}

} // namespace VexoFade
