#include "engine/xterm256.h"

#include <algorithm>
#include <array>

namespace VexoFade {
namespace {

constexpr std::array<int, 6> kCubeLevels = {0, 95, 135, 175, 215, 255};

// The nearest cube level for every channel value, the lower one on a tie.
constexpr std::array<std::uint8_t, 256> kNearestLevel = [] {
    std::array<std::uint8_t, 256> nearest{};
    for (int value = 0; value < 256; ++value) {
        std::size_t best = 0;
        for (std::size_t level = 1; level < kCubeLevels.size(); ++level) {
            const int distance = value - kCubeLevels[level];
            const int bestDistance = value - kCubeLevels[best];
            if (distance * distance < bestDistance * bestDistance) {
                best = level;
            }
        }
        nearest[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(best);
    }
    return nearest;
}();

int Square(int value) {
    return value * value;
}

} // namespace

std::uint8_t NearestXterm256(Rgb colour) {
    const int red = colour.red, green = colour.green, blue = colour.blue;
    // The cube's distance is a sum over channels, so the nearest cube entry
    // takes the nearest level of each channel; lower levels win ties, and so
    // does the lower index.
    const std::size_t r = kNearestLevel[colour.red], g = kNearestLevel[colour.green],
                      b = kNearestLevel[colour.blue];
    const int cubeDistance = Square(red - kCubeLevels[r]) + Square(green - kCubeLevels[g]) +
                             Square(blue - kCubeLevels[b]);

    // Every grey's distance is a parabola around the channels' mean: the
    // nearest grey is the one next to (sum / 3 - 8) / 10, give or take one.
    const int sum = red + green + blue;
    const int guess = std::clamp((sum - 24 + 15) / 30, 0, 23);
    int bestGrey = -1;
    int greyDistance = 0;
    for (int i = guess - 1; i <= guess + 1; ++i) {
        if (i < 0 || i > 23) {
            continue;
        }
        const int level = 8 + 10 * i;
        const int distance = Square(red - level) + Square(green - level) + Square(blue - level);
        if (bestGrey < 0 || distance < greyDistance) {
            bestGrey = i;
            greyDistance = distance;
        }
    }
    // The cube's indices are all below the greys', so the cube wins a tie.
    if (greyDistance < cubeDistance) {
        return static_cast<std::uint8_t>(232 + bestGrey);
    }
    return static_cast<std::uint8_t>(16 + 36 * r + 6 * g + b);
}

} // namespace VexoFade
