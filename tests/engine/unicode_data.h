// Readers of the Unicode data files the tests check against (Debian:
// unicode-data); each gives nothing when its file is missing.
#pragma once

#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace VexoFade::UnicodeData {

using Clusters = std::vector<std::u16string>;

inline std::u16string Joined(const Clusters& clusters) {
    return std::accumulate(clusters.begin(), clusters.end(), std::u16string());
}

// Each case of GraphemeBreakTest.txt as its clusters, in text order.
inline std::vector<Clusters> ReadGraphemeBreakTest() {
    std::ifstream in("/usr/share/unicode/auxiliary/GraphemeBreakTest.txt");
    std::vector<Clusters> cases;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        Clusters clusters;
        for (std::string field; fields >> field;) {
            if (field == "\u00F7") { // a break; "\u00D7" none
                clusters.emplace_back();
            } else if (field != "\u00D7") {
                const auto code = std::stoul(field, nullptr, 16);
                const char16_t pair[] = {char16_t(0xD7C0 + (code >> 10)),
                                         char16_t(0xDC00 + (code & 0x3FF))};
                clusters.back() +=
                    code < 0x10000 ? std::u16string(1, char16_t(code)) : std::u16string(pair, 2);
            }
        }
        if (!clusters.empty()) {
            clusters.pop_back(); // after the closing break
            cases.push_back(std::move(clusters));
        }
    }
    return cases;
}

// UnicodeData.txt's simple lower-case mapping (field 13) of every code point,
// 0 where it has none.
inline std::vector<char32_t> ReadSimpleLowercase() {
    std::ifstream in("/usr/share/unicode/UnicodeData.txt");
    std::vector<char32_t> lower(in ? 0x110000 : 0);
    for (std::string line; std::getline(in, line);) {
        std::size_t field = 0;
        for (int k = 0; k < 13; ++k) {
            field = line.find(';', field) + 1;
        }
        if (line[field] != ';') {
            lower[std::stoul(line, nullptr, 16)] =
                static_cast<char32_t>(std::stoul(line.substr(field), nullptr, 16));
        }
    }
    return lower;
}

} // namespace VexoFade::UnicodeData
