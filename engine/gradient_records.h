#pragma once

// What the first pass over a text finds, for the second to write from.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VexoFade::Gradient {

// The tab-stop rule: a tab reaches the next multiple of 8.
constexpr std::size_t kTabStop = 8;

// The width a record gives a tab: the column after it depends on where it starts.
constexpr unsigned kTabWidth = 3;

// The column after a cluster of `width` columns (or a tab) that starts at `column`.
constexpr std::size_t ColumnAfter(std::size_t column, unsigned width) {
    return width == kTabWidth ? (column / kTabStop + 1) * kTabStop : column + width;
}

// Runs of one-unit clusters of one column each, and every other cluster, line
// break and terminal control with its length (and, for columns, its width).
// Each cluster is found once. An entry holds the kind in its top two bits,
// the width in the next two and the count or length below; a value too large
// for that is marked and follows in two more entries.
class Records {
public:
    enum Kind : std::uint32_t { kRun = 0, kCluster = 1, kBreak = 2, kControl = 3 };
    // The width of a control that may set a colour; other controls have 0.
    static constexpr unsigned kSetsColour = 1;
    // The largest value that fits in one entry.
    static constexpr std::size_t kLargestInline = 0x0FFFFFFE;

    struct Entry {
        Kind kind;
        unsigned width;
        std::size_t value;
    };

    void Clear() {
        entries_.clear();
        read_ = 0;
    }
    void Add(Kind kind, unsigned width, std::size_t value) {
        const std::uint32_t head = (std::uint32_t{kind} << 30) | (std::uint32_t{width} << 28);
        if (value <= kLargestInline) {
            entries_.push_back(head | static_cast<std::uint32_t>(value));
            return;
        }
        const auto wide = static_cast<std::uint64_t>(value);
        entries_.insert(entries_.end(), {head | kLarge, static_cast<std::uint32_t>(wide),
                                         static_cast<std::uint32_t>(wide >> 32)});
    }
    Entry Next() {
        const std::uint32_t head = entries_[read_++];
        std::size_t value = head & kLarge;
        if (value == kLarge) {
            value = static_cast<std::size_t>(std::uint64_t{entries_[read_]} |
                                             (std::uint64_t{entries_[read_ + 1]} << 32));
            read_ += 2;
        }
        return {static_cast<Kind>(head >> 30), (head >> 28) & 3U, value};
    }

private:
    static constexpr std::uint32_t kLarge = 0x0FFFFFFF;
    std::vector<std::uint32_t> entries_;
    std::size_t read_ = 0;
};

// What the first pass counts: the colour steps, and for columns the widest line.
struct Totals {
    std::size_t units = 0;
    std::size_t column = 0;
    std::size_t widest = 0;
};

} // namespace VexoFade::Gradient
