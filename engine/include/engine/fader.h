#pragma once

#include "engine/color.h"

#include <string>
#include <string_view>

namespace VexoFade {

// The longest text the fader takes, in UTF-16 code units.
inline constexpr std::size_t kMaxFadeLength = 32767;

// Writes one "<Font Color=#RRGGBB>" unit per character (grapheme cluster): the
// colours run from colour 1 to colour 2 over the first half of the characters
// and from colour 2 to colour 3 over the rest. With `wave` equal to -1 each
// unit also carries the next tag of the cycle <sup>, </sup>, <sub>, </sub>.
// "<", ">" and "&" are written as &lt;, &gt; and &amp;, still one character
// each. The three-stop aim case of FadeGradient. Raises the overflow error for
// texts over kMaxFadeLength UTF-16 units.
std::u16string FadeByChannels(Channel red1, Channel green1, Channel blue1, Channel red2,
                              Channel green2, Channel blue2, Channel red3, Channel green3,
                              Channel blue3, std::u16string_view text, Flag wave);

// Splits each colour into channels by the digits of its ColorToHex6 text
// (blue from the first two, green from the next two, red from the last two)
// and fades with them.
std::u16string FadeThreeColors(RgbColor color1, RgbColor color2, RgbColor color3,
                               std::u16string_view text, Flag wave);

} // namespace VexoFade
