#include "cli/color_args.h"

#include "engine/color_names.h"

namespace Chromell {
namespace {

// Builds "'value'" followed by a remark. (Written with append: GCC 12 at -O3
// warns falsely about operator+ on a one-character literal and a string.)
std::string Quoted(std::string_view value, std::string_view remark) {
    std::string text;
    text.reserve(value.size() + remark.size() + 2);
    text.append(1, '\'').append(value).append(1, '\'').append(remark);
    return text;
}

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

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<VexoFade::RgbColor> ParseColor(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        text.remove_prefix(1);
    }
    if (text.size() != 6) {
        return std::nullopt;
    }
    int channels[3];
    for (std::size_t k = 0; k < 3; ++k) {
        const int high = HexValue(text[2 * k]);
        const int low = HexValue(text[2 * k + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[k] = high * 16 + low;
    }
    return VexoFade::MakeRgb(channels[0], channels[1], channels[2]);
}

std::optional<std::array<VexoFade::RgbColor, 3>> ParseColorList(std::string_view text,
                                                                std::string& error) {
    std::array<VexoFade::RgbColor, 3> colors{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (count == 3) {
            error = "expected three colours, got more: " + Quoted(text, "");
            return std::nullopt;
        }
        const auto color = ParseColor(item);
        if (!color) {
            error = Quoted(item, " is not a colour; use RRGGBB or #RRGGBB");
            return std::nullopt;
        }
        colors[count++] = *color;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != 3) {
        error = "expected three colours separated by commas, got " + std::to_string(count) + ": " +
                Quoted(text, "");
        return std::nullopt;
    }
    return colors;
}

std::optional<VexoFade::Rgb> ParseStop(std::string_view text) {
    if (text.size() == 4 && text.front() == '#') {
        int channels[3];
        for (std::size_t k = 0; k < 3; ++k) {
            channels[k] = HexValue(text[k + 1]);
            if (channels[k] < 0) {
                return std::nullopt;
            }
        }
        return VexoFade::Rgb{static_cast<std::uint8_t>(channels[0] * 17),
                             static_cast<std::uint8_t>(channels[1] * 17),
                             static_cast<std::uint8_t>(channels[2] * 17)};
    }
    if (const auto color = ParseColor(text)) {
        const auto value = static_cast<std::uint32_t>(*color);
        return VexoFade::Rgb{static_cast<std::uint8_t>(value & 0xFF),
                             static_cast<std::uint8_t>((value >> 8) & 0xFF),
                             static_cast<std::uint8_t>((value >> 16) & 0xFF)};
    }
    return VexoFade::FindNamedColor(text);
}

std::optional<std::vector<VexoFade::Rgb>> ParseStopList(std::string_view text, std::string& error) {
    std::vector<VexoFade::Rgb> stops;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = TrimBlanks(text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        const auto stop = ParseStop(item);
        if (!stop) {
            error =
                Quoted(item, " is not a colour; use RRGGBB, #RRGGBB, #RGB or a CSS colour name");
            return std::nullopt;
        }
        stops.push_back(*stop);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (stops.size() < VexoFade::kMinStops || stops.size() > VexoFade::kMaxStops) {
        error = "expected " + std::to_string(VexoFade::kMinStops) + " to " +
                std::to_string(VexoFade::kMaxStops) + " colours separated by commas, got " +
                std::to_string(stops.size()) + ": " + Quoted(text, "");
        return std::nullopt;
    }
    return stops;
}

} // namespace Chromell
