#include "engine/color_parse.h"

#include "engine/color_names.h"

namespace VexoFade {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<Rgb> ParseHexColor(std::string_view text) {
    const bool hash = text.starts_with('#');
    if (hash) {
        text.remove_prefix(1);
    }
    // Digits per channel: two, or one doubled after a "#".
    const std::size_t width = text.size() == 6 ? 2 : (hash && text.size() == 3 ? 1 : 0);
    if (width == 0) {
        return std::nullopt;
    }
    std::uint8_t channels[3];
    for (std::size_t k = 0; k < 3; ++k) {
        const int high = HexValue(text[width * k]);
        const int low = HexValue(text[width * k + width - 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

std::optional<Rgb> ParseColorText(std::string_view text) {
    if (const auto colour = ParseHexColor(text)) {
        return colour;
    }
    return FindNamedColor(text);
}

} // namespace VexoFade
