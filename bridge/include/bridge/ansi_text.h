#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// Converts text to Windows-1252, the ANSI code page of Western Windows
// systems. Each character the code page lacks becomes one '?': a surrogate
// pair counts as one character, a lone surrogate too. Unlike Windows there is
// no "best fit" (U+0100 is '?', not 'A').
std::string EncodeWindows1252(std::u16string_view text);

// The same letter in the other case is the same for Windows-1252 text:
// ASCII and the accented letters of the code page.
bool EqualIgnoringCase1252(std::string_view a, std::string_view b);

} // namespace Module1
