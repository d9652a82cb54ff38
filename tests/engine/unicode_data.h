// Readers for the Unicode Character Database files the tests check against
// (Debian: unicode-data). Each gives nothing when its file is missing.
#pragma once

#include <cstddef>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace VexoFade::UnicodeData {

inline const std::string kDir = "/usr/share/unicode/";

inline void AppendUtf16(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text.push_back(static_cast<char16_t>(code));
    } else {
        text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

// One line of GraphemeBreakTest.txt: the text and where clusters begin and
// end, in UTF-16 units (0 and the text's length included).
struct BreakCase {
    int line;
    std::u16string text;
    std::vector<std::size_t> breaks;
};

inline std::vector<BreakCase> ReadGraphemeBreakTest() {
    std::ifstream in(kDir + "auxiliary/GraphemeBreakTest.txt");
    std::vector<BreakCase> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line.substr(0, line.find('#')));
        BreakCase test{number, {}, {}};
        for (std::string field; fields >> field;) {
            if (field == "\u00F7") { // ÷ break; × no break
                test.breaks.push_back(test.text.size());
            } else if (field != "\u00D7") {
                AppendUtf16(test.text, static_cast<char32_t>(std::stoul(field, nullptr, 16)));
            }
        }
        if (!test.breaks.empty()) {
            cases.push_back(std::move(test));
        }
    }
    return cases;
}

// Field 13 of UnicodeData.txt: the simple lower-case mapping of every code
// point from 0 to U+10FFFF, itself where it has none.
inline std::vector<char32_t> ReadSimpleLowercase() {
    std::ifstream in(kDir + "UnicodeData.txt");
    if (!in) {
        return {};
    }
    std::vector<char32_t> lower(0x110000);
    std::iota(lower.begin(), lower.end(), char32_t{0});
    for (std::string line; std::getline(in, line);) {
        std::size_t field = 0; // start of field 13
        for (int k = 0; k < 13 && field != std::string::npos; ++k) {
            field = line.find(';', field + (k > 0 ? 1 : 0));
        }
        if (field != std::string::npos && line[field + 1] != ';') {
            lower[std::stoul(line, nullptr, 16)] =
                static_cast<char32_t>(std::stoul(line.substr(field + 1), nullptr, 16));
        }
    }
    return lower;
}

} // namespace VexoFade::UnicodeData
