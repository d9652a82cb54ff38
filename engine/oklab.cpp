#include "engine/oklab.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace VexoFade {
namespace {

double DecodeSrgb(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

// Nearest integer, ties to even (the default rounding mode).
int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

std::uint8_t EncodeSrgbDirect(double linear) {
    const double encoded =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(RoundHalfEven(std::clamp(255.0 * encoded, 0.0, 255.0)));
}

// bounds[k + 1]: the linear value whose encoding is k + 0.5, where rounding
// moves from k to k + 1; bounds[0] and bounds[256] stand guard. Values this
// close to a bound go the direct way.
constexpr double kNearBound = 1e-9;
// Buckets of equal width over 0 to 1, narrower than the gap between two
// bounds: most hold none and answer at once.
constexpr std::size_t kBuckets = 16384;
constexpr std::uint16_t kHoldsBound = 0x100;

struct EncodeTables {
    std::array<double, 257> bounds;
    // Per bucket: the bounds below its lower edge, guards aside, and
    // kHoldsBound when a bound lies in it or within kNearBound of it.
    std::array<std::uint16_t, kBuckets + 1> buckets;
};

EncodeTables MakeEncodeTables() {
    EncodeTables t{};
    t.bounds.front() = -std::numeric_limits<double>::infinity();
    t.bounds.back() = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < 255; ++k) {
        t.bounds[k + 1] = DecodeSrgb((static_cast<double>(k) + 0.5) / 255.0);
    }
    // The bucket edges rise, so one sweep finds, for each, how many bounds
    // lie below it (and below the edges widened by kNearBound).
    const double* bounds = t.bounds.data() + 1;
    constexpr std::size_t kBounds = 255;
    std::size_t below = 0, nearBelow = 0, nearAbove = 0;
    for (std::size_t bucket = 0; bucket <= kBuckets; ++bucket) {
        const double edge = static_cast<double>(bucket) / kBuckets;
        const double next = static_cast<double>(bucket + 1) / kBuckets;
        while (below < kBounds && bounds[below] < edge) {
            ++below;
        }
        while (nearBelow < kBounds && bounds[nearBelow] < edge - kNearBound) {
            ++nearBelow;
        }
        while (nearAbove < kBounds && bounds[nearAbove] < next + kNearBound) {
            ++nearAbove;
        }
        t.buckets[bucket] =
            static_cast<std::uint16_t>(below | (nearBelow != nearAbove ? kHoldsBound : 0));
    }
    return t;
}

// Built on first use, so that runs that never blend in OKLab do not pay for it.
const EncodeTables& Encode() {
    static const EncodeTables tables = MakeEncodeTables();
    return tables;
}

std::uint8_t EncodeWith(const EncodeTables& kEncode, double linear) {
    const double clamped = linear < 0.0 ? 0.0 : (linear > 1.0 ? 1.0 : linear);
    const std::uint16_t bucket = kEncode.buckets[static_cast<std::size_t>(clamped * kBuckets)];
    std::size_t k = bucket & 0xFFU;
    if ((bucket & kHoldsBound) == 0) {
        return static_cast<std::uint8_t>(k);
    }
    while (kEncode.bounds[k + 1] < linear) {
        ++k;
    }
    if (linear - kEncode.bounds[k] < kNearBound || kEncode.bounds[k + 1] - linear < kNearBound) {
        return EncodeSrgbDirect(linear);
    }
    return static_cast<std::uint8_t>(k);
}

} // namespace

std::uint8_t EncodeSrgb(double linear) {
    return EncodeWith(Encode(), linear);
}

Oklab ToOklab(Rgb colour) {
    const double r = DecodeSrgb(colour.red / 255.0);
    const double g = DecodeSrgb(colour.green / 255.0);
    const double b = DecodeSrgb(colour.blue / 255.0);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb FromOklab(Oklab colour) {
    const double l1 = colour.lightness + 0.3963377774 * colour.a + 0.2158037573 * colour.b;
    const double m1 = colour.lightness - 0.1055613458 * colour.a - 0.0638541728 * colour.b;
    const double s1 = colour.lightness - 0.0894841775 * colour.a - 1.2914855480 * colour.b;
    const double l = l1 * l1 * l1, m = m1 * m1 * m1, s = s1 * s1 * s1;
    const EncodeTables& tables = Encode();
    return {EncodeWith(tables, 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            EncodeWith(tables, -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            EncodeWith(tables, -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

} // namespace VexoFade
