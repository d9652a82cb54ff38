#include "tools/artwork/quantize.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace Chromell {
namespace {

struct Entry {
    std::array<int, 3> rgb;
    long long count;
};

using Box = std::vector<Entry>;

int Range(const Box& box, int channel) {
    const auto [low, high] =
        std::minmax_element(box.begin(), box.end(), [channel](const Entry& a, const Entry& b) {
            return a.rgb[channel] < b.rgb[channel];
        });
    return high->rgb[channel] - low->rgb[channel];
}

int WidestChannel(const Box& box) {
    int best = 0;
    for (int channel = 1; channel < 3; ++channel) {
        if (Range(box, channel) > Range(box, best)) {
            best = channel;
        }
    }
    return best;
}

long long Weight(const Box& box) {
    long long total = 0;
    for (const Entry& entry : box) {
        total += entry.count;
    }
    return total;
}

// Splits the box at the pixel-weighted median of its widest channel.
std::pair<Box, Box> Split(Box box) {
    const int channel = WidestChannel(box);
    std::sort(box.begin(), box.end(), [channel](const Entry& a, const Entry& b) {
        return a.rgb[channel] < b.rgb[channel];
    });
    const long long half = Weight(box) / 2;
    long long seen = 0;
    std::size_t cut = 1;
    for (; cut < box.size(); ++cut) {
        seen += box[cut - 1].count;
        if (seen >= half) {
            break;
        }
    }
    cut = std::clamp<std::size_t>(cut, 1, box.size() - 1);
    return {Box(box.begin(), box.begin() + static_cast<std::ptrdiff_t>(cut)),
            Box(box.begin() + static_cast<std::ptrdiff_t>(cut), box.end())};
}

QRgb Mean(const Box& box) {
    std::array<long long, 3> sum{};
    const long long weight = Weight(box);
    for (const Entry& entry : box) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += entry.rgb[c] * entry.count;
        }
    }
    return qRgb(static_cast<int>((sum[0] + weight / 2) / weight),
                static_cast<int>((sum[1] + weight / 2) / weight),
                static_cast<int>((sum[2] + weight / 2) / weight));
}

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

} // namespace

IndexedPicture Quantize(const QImage& picture, int maxColors, std::span<const QRgb> fixed) {
    if (maxColors < 2 || maxColors > 256 || fixed.size() > static_cast<std::size_t>(maxColors)) {
        throw std::invalid_argument("The colour table must hold 2 to 256 colours, the fixed ones "
                                    "included.");
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);

    std::map<QRgb, long long> others;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y) | 0xFF000000u;
            if (std::find(fixed.begin(), fixed.end(), pixel) == fixed.end()) {
                ++others[pixel];
            }
        }
    }

    std::vector<Box> boxes;
    if (!others.empty()) {
        Box all;
        for (const auto& [pixel, count] : others) {
            all.push_back({{qRed(pixel), qGreen(pixel), qBlue(pixel)}, count});
        }
        boxes.push_back(std::move(all));
    }
    const std::size_t budget = static_cast<std::size_t>(maxColors) - fixed.size();
    while (boxes.size() < budget) {
        // Split the box whose colours spread widest, weighted by its pixels.
        auto widest = boxes.end();
        long long widestScore = 0;
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->size() < 2) {
                continue;
            }
            const long long score = Range(*it, WidestChannel(*it)) * Weight(*it);
            if (score > widestScore) {
                widestScore = score;
                widest = it;
            }
        }
        if (widest == boxes.end()) {
            break;
        }
        auto [low, high] = Split(std::move(*widest));
        *widest = std::move(low);
        boxes.push_back(std::move(high));
    }

    IndexedPicture indexed;
    indexed.width = rgb.width();
    indexed.height = rgb.height();
    std::vector<QRgb> table(fixed.begin(), fixed.end());
    for (const Box& box : boxes) {
        table.push_back(Mean(box));
    }
    for (const QRgb colour : table) {
        indexed.palette.push_back(colour & 0xFFFFFFu);
    }
    while (indexed.palette.size() < 2) {
        indexed.palette.push_back(0);
    }

    std::unordered_map<QRgb, std::uint8_t> nearest;
    indexed.pixels.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y) | 0xFF000000u;
            auto found = nearest.find(pixel);
            if (found == nearest.end()) {
                std::size_t best = 0;
                for (std::size_t i = 1; i < table.size(); ++i) {
                    if (Distance(pixel, table[i]) < Distance(pixel, table[best])) {
                        best = i;
                    }
                }
                found = nearest.emplace(pixel, static_cast<std::uint8_t>(best)).first;
            }
            indexed.pixels.push_back(found->second);
        }
    }
    return indexed;
}

} // namespace Chromell
