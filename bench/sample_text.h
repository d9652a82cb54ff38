#pragma once

#include <string>
#include <string_view>

// A text of `length` units made of an ordinary English sentence, repeated.
inline std::u16string SampleText(std::size_t length) {
    const std::u16string_view words = u"The quick brown fox jumps over the lazy dog. ";
    std::u16string text;
    text.reserve(length);
    while (text.size() < length) {
        text += words.substr(0, length - text.size());
    }
    return text;
}
