#include "tools/artwork/gif_writer.h"

#include <stdexcept>
#include <string>
#include <unordered_map>

namespace Chromell {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeLimit = 1 << kMaxCodeBits;

void PutWord(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// Packs variable-width codes least significant bit first and cuts the bytes
// into the data sub-blocks of at most 255 bytes that GIF wants.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Put(int code, int bits) {
        buffer_ |= static_cast<std::uint32_t>(code) << filled_;
        filled_ += bits;
        while (filled_ >= 8) {
            PutByte(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }

    void Finish() {
        if (filled_ > 0) {
            PutByte(static_cast<std::uint8_t>(buffer_ & 0xFF));
        }
        FlushBlock();
        out_.push_back(0); // block terminator
    }

private:
    void PutByte(std::uint8_t byte) {
        block_.push_back(byte);
        if (block_.size() == 255) {
            FlushBlock();
        }
    }

    void FlushBlock() {
        if (block_.empty()) {
            return;
        }
        out_.push_back(static_cast<std::uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }

    std::vector<std::uint8_t>& out_;
    std::vector<std::uint8_t> block_;
    std::uint32_t buffer_ = 0;
    int filled_ = 0;
};

void CompressLzw(std::span<const std::uint8_t> pixels, int minCodeBits,
                 std::vector<std::uint8_t>& out) {
    const int clearCode = 1 << minCodeBits;
    const int endCode = clearCode + 1;
    out.push_back(static_cast<std::uint8_t>(minCodeBits));
    CodeWriter writer(out);

    std::unordered_map<std::uint32_t, int> table;
    int next = endCode + 1;
    int bits = minCodeBits + 1;
    const auto reset = [&] {
        table.clear();
        next = endCode + 1;
        bits = minCodeBits + 1;
    };

    writer.Put(clearCode, bits);
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | pixels[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Put(prefix, bits);
        if (next < kCodeLimit) {
            table.emplace(key, next++);
            // The reader adds its entries one code later than we do, so it
            // widens its codes when the entry just made here first needs the
            // extra bit.
            if (next > (1 << bits) && bits < kMaxCodeBits) {
                ++bits;
            }
        } else {
            writer.Put(clearCode, bits);
            reset();
        }
        prefix = pixels[i];
    }
    writer.Put(prefix, bits);
    writer.Put(endCode, bits);
    writer.Finish();
}

} // namespace

std::vector<std::uint8_t> EncodeGif89a(int width, int height,
                                       std::span<const std::uint32_t> palette,
                                       std::span<const std::uint8_t> pixels) {
    if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF) {
        throw std::invalid_argument("A GIF picture must be 1 to 65,535 pixels each way, not " +
                                    std::to_string(width) + " x " + std::to_string(height) + ".");
    }
    if (palette.size() < 2 || palette.size() > 256) {
        throw std::invalid_argument("A GIF colour table holds 2 to 256 colours, not " +
                                    std::to_string(palette.size()) + ".");
    }
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        throw std::invalid_argument("The picture has " + std::to_string(pixels.size()) +
                                    " pixels; its size asks for " +
                                    std::to_string(static_cast<long long>(width) * height) + ".");
    }
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] >= palette.size()) {
            throw std::invalid_argument("Pixel " + std::to_string(i) + " names colour " +
                                        std::to_string(pixels[i]) + " of a table of " +
                                        std::to_string(palette.size()) + ".");
        }
    }

    int tableBits = 1;
    while ((1u << tableBits) < palette.size()) {
        ++tableBits;
    }

    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    // Logical screen: the picture's size, a global table, 8 bits per primary.
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
    out.push_back(0); // background colour index
    out.push_back(0); // no aspect ratio given
    for (int i = 0; i < (1 << tableBits); ++i) {
        const std::uint32_t rgb = static_cast<std::size_t>(i) < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb));
    }

    // One image covering the screen, not interlaced, no local table.
    out.push_back(0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, width);
    PutWord(out, height);
    out.push_back(0);
    CompressLzw(pixels, tableBits < 2 ? 2 : tableBits, out);

    out.push_back(0x3B);
    return out;
}

} // namespace Chromell
