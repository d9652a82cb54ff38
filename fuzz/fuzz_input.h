#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ChromellFuzz {

// Hands out the fuzzer's bytes piece by piece; past the end everything is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - at_; }

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k) {
            value = (value << 8) | Byte();
        }
        return static_cast<std::int32_t>(value);
    }

    // `count` UTF-16 units, two bytes each (as many as are left when fewer).
    std::u16string Units(std::size_t count) {
        std::u16string text;
        while (text.size() < count && remaining() >= 2) {
            const std::uint8_t high = Byte();
            const std::uint8_t low = Byte();
            text.push_back(static_cast<char16_t>((high << 8) | low));
        }
        return text;
    }

    std::u16string Rest() { return Units(remaining() / 2); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace ChromellFuzz
