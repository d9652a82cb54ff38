#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace VexoFade {

// Uppercase hex of the value, zero-filled to at least six digits and never cut.
// A negative value gives the eight digits of its two's complement.
std::u16string ColorToHex6(std::int32_t value);

// Value of one uppercase hex digit ("0"-"9", "A"-"F"); anything else, lowercase
// letters and strings that are not exactly one character included, gives 0.
std::int16_t HexDigitValue(std::u16string_view digit);

// Reads hex text of either letter case as a single-precision number. Only the
// last eight characters count; a character that is not a hex digit counts as 0.
float HexToNumber(std::u16string_view text);

} // namespace VexoFade
