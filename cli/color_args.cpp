#include "cli/color_args.h"

#include "engine/color_parse.h"

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

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::vector<VexoFade::Rgb>> ParseCount(std::string_view text, std::size_t least,
                                                     std::size_t most, std::string& error) {
    std::vector<VexoFade::Rgb> stops;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = TrimBlanks(text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        const auto stop = ParseStop(item, error);
        if (!stop) {
            return std::nullopt;
        }
        stops.push_back(*stop);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (stops.size() < least || stops.size() > most) {
        const std::string count = least == most
                                      ? std::to_string(least)
                                      : std::to_string(least) + " to " + std::to_string(most);
        error = "expected " + count + " colours separated by commas, got " +
                std::to_string(stops.size()) + ": " + Quoted(text, "");
        return std::nullopt;
    }
    return stops;
}

} // namespace

std::optional<VexoFade::Rgb> ParseStop(std::string_view text, std::string& error) {
    auto stop = VexoFade::ParseColorText(text);
    if (!stop) {
        error = Quoted(text, " is not a colour; use " + std::string(kColorForms));
    }
    return stop;
}

std::optional<std::vector<VexoFade::Rgb>> ParseStopList(std::string_view text, std::string& error) {
    return ParseCount(text, VexoFade::kMinStops, VexoFade::kMaxStops, error);
}

std::optional<std::array<VexoFade::RgbColor, 3>> ParseColorList(std::string_view text,
                                                                std::string& error) {
    const auto stops = ParseCount(text, 3, 3, error);
    if (!stops) {
        return std::nullopt;
    }
    std::array<VexoFade::RgbColor, 3> colors{};
    for (std::size_t k = 0; k < 3; ++k) {
        colors[k] = VexoFade::MakeRgb((*stops)[k].red, (*stops)[k].green, (*stops)[k].blue);
    }
    return colors;
}

} // namespace Chromell
