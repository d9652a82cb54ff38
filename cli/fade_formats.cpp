#include "cli/fade_formats.h"

#include <algorithm>
#include <array>

namespace Chromell {
namespace {

using VexoFade::MarkupFormat;

constexpr std::array<FormatInfo, 6> kFormats{{
    {MarkupFormat::Aim, "aim", "the messenger's markup (the default)"},
    {MarkupFormat::Html, "html", "HTML, a coloured span per character"},
    {MarkupFormat::BBCode, "bbcode", "BBCode colour tags, for forums"},
    {MarkupFormat::Ansi, "ansi", "terminal, 24-bit colour escapes"},
    {MarkupFormat::Ansi256, "ansi256", "terminal, 256-colour escapes"},
    {MarkupFormat::MiniMessage, "minimessage", "MiniMessage colour tags (game chat)"},
}};

constexpr std::array<BlendInfo, 2> kBlends{{
    {VexoFade::Blend::Rgb, "rgb"},
    {VexoFade::Blend::Oklab, "oklab"},
}};

} // namespace

std::span<const FormatInfo> Formats() {
    return kFormats;
}

std::string FormatNames() {
    std::string names;
    for (const FormatInfo& info : kFormats) {
        if (!names.empty()) {
            names.append(&info == &kFormats.back() ? " or " : ", ");
        }
        names.append(info.name);
    }
    return names;
}

std::optional<MarkupFormat> FindFormat(std::string_view name) {
    const auto it = std::find_if(kFormats.begin(), kFormats.end(),
                                 [name](const FormatInfo& info) { return info.name == name; });
    if (it == kFormats.end()) {
        return std::nullopt;
    }
    return it->format;
}

std::string_view FormatName(MarkupFormat format) {
    const auto it =
        std::find_if(kFormats.begin(), kFormats.end(),
                     [format](const FormatInfo& info) { return info.format == format; });
    return it == kFormats.end() ? std::string_view("?") : it->name;
}

std::span<const BlendInfo> Blends() {
    return kBlends;
}

std::string BlendNames(std::string_view separator) {
    std::string names;
    for (const BlendInfo& info : kBlends) {
        if (!names.empty()) {
            names.append(separator);
        }
        names.append(info.name);
    }
    return names;
}

std::optional<VexoFade::Blend> FindBlend(std::string_view name) {
    const auto it = std::find_if(kBlends.begin(), kBlends.end(),
                                 [name](const BlendInfo& info) { return info.name == name; });
    if (it == kBlends.end()) {
        return std::nullopt;
    }
    return it->blend;
}

std::string_view BlendName(VexoFade::Blend blend) {
    const auto it = std::find_if(kBlends.begin(), kBlends.end(),
                                 [blend](const BlendInfo& info) { return info.blend == blend; });
    return it == kBlends.end() ? std::string_view("?") : it->name;
}

} // namespace Chromell
