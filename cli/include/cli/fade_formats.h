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

} // namespace Chromell
