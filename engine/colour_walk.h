#pragma once

// The colours of a gradient, step by step: how the steps fall into segments
// between the stops, and the colour of each step inside a segment.

#include "engine/gradient.h"
#include "engine/oklab.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace VexoFade::Gradient {

// The integer nearest to numerator / denominator, ties to even.
inline std::size_t DivideRoundHalfEven(std::size_t numerator, std::size_t denominator) {
    const std::size_t quotient = numerator / denominator;
    const std::size_t twiceRemainder = 2 * (numerator % denominator);
    const bool up =
        twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 == 1);
    return quotient + (up ? 1 : 0);
}

// Rounds a channel value (0 to 255) to the nearest integer, ties to even:
// adding and taking away 1.5 * 2^52 leaves no fraction bits, and the default
// floating-point mode rounds that sum to even.
inline std::uint8_t RoundChannel(double value) {
    constexpr double kShift = 6755399441055744.0;
    return static_cast<std::uint8_t>((value + kShift) - kShift);
}

// Unit i of m (i = 1 ... m) gets, per channel, step × i + start with
// step = (end − start) / m: the product first, then the sum. Rounded
// products and sums keep the order of their operands, and so does rounding to
// a channel: each channel is monotonic in i, and units that share a colour
// follow each other.
class RgbSegment {
public:
    static constexpr bool kMonotonic = true;
    RgbSegment() = default;
    RgbSegment(Rgb from, Rgb to, std::size_t units) {
        const double m = static_cast<double>(units);
        start_ = {static_cast<double>(from.red), static_cast<double>(from.green),
                  static_cast<double>(from.blue)};
        step_ = {(to.red - from.red) / m, (to.green - from.green) / m, (to.blue - from.blue) / m};
    }
    // Whether the colour stays for several units at a time, on average.
    bool Slow() const {
        return std::max({std::abs(step_[0]), std::abs(step_[1]), std::abs(step_[2])}) < 0.25;
    }
    Rgb At(std::size_t i) const {
        const double x = static_cast<double>(i);
        return {RoundChannel(step_[0] * x + start_[0]), RoundChannel(step_[1] * x + start_[1]),
                RoundChannel(step_[2] * x + start_[2])};
    }

private:
    std::array<double, 3> start_{};
    std::array<double, 3> step_{};
};

// Unit i of m takes t = i / m of the way between the stops in OKLab; the last
// is exactly the end stop.
class OklabSegment {
public:
    static constexpr bool kMonotonic = false;
    bool Slow() const { return false; }
    OklabSegment() = default;
    OklabSegment(Rgb from, Rgb to, std::size_t units)
        : start_(ToOklab(from)), end_(ToOklab(to)), last_(to), units_(units) {}
    Rgb At(std::size_t i) const {
        if (i == units_) {
            return last_;
        }
        const double t = static_cast<double>(i) / static_cast<double>(units_);
        return FromOklab({start_.lightness + (end_.lightness - start_.lightness) * t,
                          start_.a + (end_.a - start_.a) * t, start_.b + (end_.b - start_.b) * t});
    }

private:
    Oklab start_{};
    Oklab end_{};
    Rgb last_{};
    std::size_t units_ = 1;
};

// The colours of a gradient of `units` steps over the stops, one after the
// other: with k stops the steps fall into k − 1 segments, segment j starting
// at the integer nearest to units·j/(k − 1). In a segment whose colour
// changes slowly, a run of units of one colour is found by skipping ahead
// (steps of growing length, then halving the last one) instead of working
// out every unit's colour.
template <class Segment> class ColourWalk {
public:
    ColourWalk(std::span<const Rgb> stops, std::size_t units) : stops_(stops), units_(units) {}
    Rgb Next() {
        if (i_ == m_) {
            NextSegment();
        }
        ++i_;
        if constexpr (Segment::kMonotonic) {
            if (i_ <= same_) {
                return colour_;
            }
            colour_ = segment_.At(i_);
            same_ = slow_ ? LastOfColour() : i_;
            return colour_;
        } else {
            return segment_.At(i_);
        }
    }

private:
    // The last unit of the segment that has colour_, the colour of unit i_.
    std::size_t LastOfColour() const {
        std::size_t same = i_;
        std::size_t other = m_ + 1; // a unit of another colour, or past the end
        for (std::size_t step = 1; same + step < other; step *= 2) {
            if (!(segment_.At(same + step) == colour_)) {
                other = same + step;
                break;
            }
            same += step;
        }
        while (other - same > 1) {
            const std::size_t middle = same + (other - same) / 2;
            if (segment_.At(middle) == colour_) {
                same = middle;
            } else {
                other = middle;
            }
        }
        return same;
    }

    void NextSegment() {
        const std::size_t segments = stops_.size() - 1;
        do {
            const std::size_t end = DivideRoundHalfEven(units_ * (j_ + 1), segments);
            m_ = end - begin_;
            begin_ = end;
            ++j_;
        } while (m_ == 0 && j_ < segments);
        segment_ = Segment(stops_[j_ - 1], stops_[j_], m_);
        slow_ = segment_.Slow();
        i_ = 0;
        same_ = 0;
    }

    std::span<const Rgb> stops_;
    std::size_t units_;
    std::size_t j_ = 0;
    std::size_t begin_ = 0;
    std::size_t i_ = 0;
    std::size_t m_ = 0;
    Segment segment_{};
    // Units up to same_ have colour_.
    std::size_t same_ = 0;
    Rgb colour_{};
    bool slow_ = false;
};

} // namespace VexoFade::Gradient
