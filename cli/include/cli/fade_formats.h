#pragma once

#include "engine/gradient.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Chromell {

// A markup format as the command line names it.
struct FormatInfo {
    VexoFade::MarkupFormat format;
    std::string_view name;
    std::string_view description;
};

std::span<const FormatInfo> Formats();

// The names, for messages: "aim, html, ... or minimessage".
std::string FormatNames();

std::optional<VexoFade::MarkupFormat> FindFormat(std::string_view name);
std::string_view FormatName(VexoFade::MarkupFormat format);

// A blend as the command line names it.
struct BlendInfo {
    VexoFade::Blend blend;
    std::string_view name;
};

std::span<const BlendInfo> Blends();
// The names joined: with "|" for help, with " or " for messages.
std::string BlendNames(std::string_view separator);
std::optional<VexoFade::Blend> FindBlend(std::string_view name);
std::string_view BlendName(VexoFade::Blend blend);

} // namespace Chromell
