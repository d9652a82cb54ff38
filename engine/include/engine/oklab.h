#pragma once

#include "engine/gradient.h"

namespace VexoFade {

// A colour in Björn Ottosson's OKLab space (2020), on linear sRGB.
struct Oklab {
    double lightness = 0;
    double a = 0;
    double b = 0;
};

Oklab ToOklab(Rgb colour);

// Back to sRGB: each channel scaled to 0-255, clamped, rounded half to even.
Rgb FromOklab(Oklab colour);

// One linear-light channel as an sRGB byte: 255 times its gamma-encoded
// value, clamped to 0-255 and rounded half to even. Exactly that formula,
// without a power function per call.
std::uint8_t EncodeSrgb(double linear);

} // namespace VexoFade
