#include "engine/oklab.h"

#include <algorithm>
#include <array>
#include <cmath>

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

// kThresholds[k]: the linear value whose encoding is k + 0.5, where rounding
// moves from k to k + 1. Values this close to one go the direct way.
constexpr double kNearThreshold = 1e-9;
constexpr std::size_t kBuckets = 4096;

struct EncodeTables {
    std::array<double, 255> thresholds;
    // Thresholds below each bucket's lower edge; buckets are narrower than the
    // gap between two thresholds, so at most one lies inside a bucket.
    std::array<std::uint8_t, kBuckets + 1> below;
};

const EncodeTables& Tables() {
    static const EncodeTables tables = [] {
        EncodeTables t{};
        for (std::size_t k = 0; k < t.thresholds.size(); ++k) {
            t.thresholds[k] = DecodeSrgb((static_cast<double>(k) + 0.5) / 255.0);
        }
        for (std::size_t bucket = 0; bucket <= kBuckets; ++bucket) {
            const double edge = static_cast<double>(bucket) / kBuckets;
            t.below[bucket] = static_cast<std::uint8_t>(
                std::lower_bound(t.thresholds.begin(), t.thresholds.end(), edge) -
                t.thresholds.begin());
        }
        return t;
    }();
    return tables;
}

} // namespace

std::uint8_t EncodeSrgb(double linear) {
    const EncodeTables& t = Tables();
    const double clamped = std::clamp(linear, 0.0, 1.0);
    std::size_t k = t.below[static_cast<std::size_t>(clamped * kBuckets)];
    while (k < t.thresholds.size() && t.thresholds[k] < linear) {
        ++k;
    }
    const bool nearAbove = k < t.thresholds.size() && t.thresholds[k] - linear < kNearThreshold;
    const bool nearBelow = k > 0 && linear - t.thresholds[k - 1] < kNearThreshold;
    return nearAbove || nearBelow ? EncodeSrgbDirect(linear) : static_cast<std::uint8_t>(k);
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
    return {EncodeSrgb(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            EncodeSrgb(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            EncodeSrgb(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

} // namespace VexoFade
