#include "engine/unicode/grapheme.h"

#include "base/utf16.h"
#include "grapheme_break_table.h"
#include "paged_runs.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace VexoFade {
namespace {

// Grapheme_Cluster_Break, with Extended_Pictographic as one more value (no
// code point has both); the generated table holds these numbers.
enum GraphemeBreak : std::uint8_t {
    kOther,
    kCR,
    kLF,
    kControl,
    kExtend,
    kZWJ,
    kRegionalIndicator,
    kPrepend,
    kSpacingMark,
    kL,
    kV,
    kT,
    kLV,
    kLVT,
    kExtendedPictographic,
    // Indic_Conjunct_Break splits two of the values: Other with InCB=Consonant,
    // Extend with InCB=Linker, and Extend with no InCB value (kExtend is
    // InCB=Extend, as is kZWJ).
    kConsonant,
    kLinker,
    kExtendOutsideConjuncts,
};

constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kHangulCount = 11172;
constexpr char32_t kHangulTCount = 28;

// Below kBlockLimit (the scripts of everyday text and the emoji) a value takes
// two loads: blocks of 2^kBlockBits code points that lie inside one run hold
// kUniform and that run's value, every other block the index of its own
// values in kBlockValues. Built at compile time from the generated runs.
constexpr unsigned kBlockBits = 5;
constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;
constexpr char32_t kBlockLimit = 0x20000;
constexpr std::size_t kBlockCount = kBlockLimit >> kBlockBits;
constexpr std::uint16_t kUniform = 0x8000;
constexpr std::uint32_t kValueMask = (1U << GraphemeTable::kValueBits) - 1;
constexpr std::size_t kFirstBlock = GraphemeTable::kDirectLimit >> kBlockBits;

// For each block from kFirstBlock on, the index of the run holding its first
// code point, calling `block(index, run, uniform)`.
template <class Block> constexpr void ForEachBlock(Block block) {
    const auto& runs = GraphemeTable::kRuns;
    constexpr unsigned kBits = GraphemeTable::kValueBits;
    std::size_t run = 0;
    for (std::size_t index = kFirstBlock; index < kBlockCount; ++index) {
        const auto first = static_cast<std::uint32_t>(index << kBlockBits);
        while (run + 1 < runs.size() && (runs[run + 1] >> kBits) <= first) {
            ++run;
        }
        block(index, run, run + 1 == runs.size() || (runs[run + 1] >> kBits) >= first + kBlockSize);
    }
}

constexpr std::size_t kMixedBlocks = [] {
    std::size_t count = 0;
    ForEachBlock([&count](std::size_t, std::size_t, bool uniform) { count += uniform ? 0 : 1; });
    return count;
}();
static_assert(kMixedBlocks < kUniform);

struct BlockTable {
    std::array<std::uint16_t, kBlockCount> blocks{};
    std::array<std::uint8_t, kMixedBlocks * kBlockSize> values{};
};

constexpr BlockTable kBlockTable = [] {
    const auto& runs = GraphemeTable::kRuns;
    constexpr unsigned kBits = GraphemeTable::kValueBits;
    BlockTable table;
    std::size_t mixed = 0;
    ForEachBlock([&](std::size_t index, std::size_t run, bool uniform) {
        if (uniform) {
            table.blocks[index] = static_cast<std::uint16_t>(kUniform | (runs[run] & kValueMask));
            return;
        }
        table.blocks[index] = static_cast<std::uint16_t>(mixed);
        const std::size_t first = index << kBlockBits;
        for (std::size_t k = 0; k < kBlockSize; ++k) {
            while (run + 1 < runs.size() && (runs[run + 1] >> kBits) <= first + k) {
                ++run;
            }
            table.values[mixed * kBlockSize + k] =
                static_cast<std::uint8_t>(runs[run] & kValueMask);
        }
        ++mixed;
    });
    return table;
}();

GraphemeBreak BreakProperty(char32_t code) {
    if (code < GraphemeTable::kDirectLimit) {
        return static_cast<GraphemeBreak>(GraphemeTable::kDirect[code]);
    }
    // A syllable is LV when it has no trailing consonant, LVT otherwise.
    if (code - kHangulFirst < kHangulCount) {
        return (code - kHangulFirst) % kHangulTCount == 0 ? kLV : kLVT;
    }
    if (code < kBlockLimit) {
        const std::uint16_t entry = kBlockTable.blocks[code >> kBlockBits];
        if ((entry & kUniform) != 0) {
            return static_cast<GraphemeBreak>(entry & kValueMask);
        }
        return static_cast<GraphemeBreak>(
            kBlockTable.values[entry * kBlockSize + (code & (kBlockSize - 1))]);
    }
    if (code > 0x10FFFF) {
        return kOther;
    }
    return static_cast<GraphemeBreak>(
        detail::RunValue(GraphemeTable::kRuns, GraphemeTable::kPageFirstRun,
                         GraphemeTable::kPageBits, GraphemeTable::kValueBits, code));
}

constexpr std::uint32_t Bit(GraphemeBreak value) {
    return 1U << value;
}

// Extend, whatever its InCB value; and what GB9 and GB9a join to anything.
constexpr std::uint32_t kExtends = Bit(kExtend) | Bit(kLinker) | Bit(kExtendOutsideConjuncts);
constexpr std::uint32_t kMarks = kExtends | Bit(kZWJ) | Bit(kSpacingMark);

// For each property before a boundary, the properties after it that never
// break from it by the pair rules alone (GB3, GB6 to GB9b). The rules that
// look further back, Indic conjuncts (GB9c), emoji ZWJ sequences (GB11) and
// flag pairs (GB12, GB13), are checked by the caller; controls (GB4, GB5)
// join nothing.
constexpr std::uint32_t kJoinsWith[] = {
    /* Other */ kMarks,
    /* CR */ Bit(kLF),
    /* LF */ 0,
    /* Control */ 0,
    /* Extend */ kMarks,
    /* ZWJ */ kMarks,
    /* Regional_Indicator */ kMarks,
    /* Prepend */ ~(Bit(kCR) | Bit(kLF) | Bit(kControl)),
    /* SpacingMark */ kMarks,
    /* L */ kMarks | Bit(kL) | Bit(kV) | Bit(kLV) | Bit(kLVT),
    /* V */ kMarks | Bit(kV) | Bit(kT),
    /* T */ kMarks | Bit(kT),
    /* LV */ kMarks | Bit(kV) | Bit(kT),
    /* LVT */ kMarks | Bit(kT),
    /* Extended_Pictographic */ kMarks,
    /* Consonant */ kMarks,
    /* Linker */ kMarks,
    /* ExtendOutsideConjuncts */ kMarks,
};
constexpr std::size_t kPropertyCount = std::size(kJoinsWith);

// What those rules need to know of the code points before a boundary. Each
// run starts at one kind of code point, so one of these describes it.
enum Run : std::uint8_t {
    kNoRun,
    kPictographic,    // Extended_Pictographic Extend*
    kPictographicZwj, // ... ZWJ: an Extended_Pictographic joins (GB11)
    kConsonantRun,    // InCB Consonant, then InCB Extend or ZWJ
    kLinkedConsonant, // ... with an InCB Linker among them: a Consonant joins (GB9c)
    kOddIndicators,   // an odd number of Regional_Indicators: one more joins (GB12, GB13)
    kRunCount,
};

constexpr std::uint32_t kJoinsAfterRun[kRunCount] = {
    0, 0, Bit(kExtendedPictographic), 0, Bit(kConsonant), Bit(kRegionalIndicator),
};

constexpr Run NextRun(Run run, GraphemeBreak after) {
    switch (after) {
    case kExtendedPictographic:
        return kPictographic;
    case kConsonant:
        return kConsonantRun;
    case kRegionalIndicator:
        return run == kOddIndicators ? kNoRun : kOddIndicators;
    case kLinker:
        return run == kConsonantRun || run == kLinkedConsonant ? kLinkedConsonant
               : run == kPictographic                          ? kPictographic
                                                               : kNoRun;
    case kExtend:
        return run == kPictographic || run == kConsonantRun || run == kLinkedConsonant ? run
                                                                                       : kNoRun;
    case kExtendOutsideConjuncts:
        return run == kPictographic ? kPictographic : kNoRun;
    case kZWJ:
        return run == kPictographic                              ? kPictographicZwj
               : run == kConsonantRun || run == kLinkedConsonant ? run
                                                                 : kNoRun;
    default:
        return kNoRun;
    }
}

// NextRun as a table, so that the loop takes one load per code point.
constexpr auto kNextRun = [] {
    std::array<std::array<Run, kRunCount>, kPropertyCount> next{};
    for (std::size_t after = 0; after < kPropertyCount; ++after) {
        for (std::size_t run = 0; run < kRunCount; ++run) {
            next[after][run] = NextRun(static_cast<Run>(run), static_cast<GraphemeBreak>(after));
        }
    }
    return next;
}();

} // namespace

namespace detail {

std::size_t GraphemeLengthBeyondAscii(std::u16string_view text, std::size_t at) {
    const char16_t* const units = text.data();
    const std::size_t size = text.size();
    // The code point at `k`; `k` moves past it. Each is read once.
    const auto read = [units, size](std::size_t& k) -> char32_t {
        const char16_t c = units[k++];
        if (Chromell::IsHighSurrogate(c) && k < size && Chromell::IsLowSurrogate(units[k])) {
            return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                   (static_cast<char32_t>(units[k++]) - 0xDC00);
        }
        return c;
    };
    std::size_t end = at;
    GraphemeBreak before = BreakProperty(read(end));
    Run run = kNextRun[before][kNoRun];
    while (end < size) {
        std::size_t next = end;
        const GraphemeBreak after = BreakProperty(read(next));
        if (((kJoinsWith[before] | kJoinsAfterRun[run]) & Bit(after)) == 0) {
            break;
        }
        run = kNextRun[after][run];
        before = after;
        end = next;
    }
    return end - at;
}

} // namespace detail

namespace {

// Calls `clusterEnd` with the end of every cluster, in order.
template <class ClusterEnd> void ForEachCluster(std::u16string_view text, ClusterEnd clusterEnd) {
    std::size_t at = 0;
    while (at < text.size()) {
        // Four ASCII units, none of them CR, and ASCII after them: four
        // clusters, since nothing in ASCII joins except CR LF.
        if (at + 4 < text.size() && text[at + 4] < 0x80) {
            std::uint64_t units = 0;
            std::memcpy(&units, text.data() + at, sizeof units);
            constexpr std::uint64_t kHighBits = 0xFF80FF80FF80FF80;
            constexpr std::uint64_t kEachUnit = 0x0001000100010001;
            // With every unit below 0x80, a unit equal to CR turns to zero and
            // borrows into its top bit; no other unit can.
            const std::uint64_t carriageReturns =
                ((units ^ (kEachUnit * u'\r')) - kEachUnit) & (kEachUnit << 15);
            if ((units & kHighBits) == 0 && carriageReturns == 0) {
                for (int k = 0; k < 4; ++k) {
                    clusterEnd(++at);
                }
                continue;
            }
        }
        at += GraphemeLength(text, at);
        clusterEnd(at);
    }
}

} // namespace

std::size_t CountGraphemes(std::u16string_view text) {
    std::size_t count = 0;
    ForEachCluster(text, [&count](std::size_t) { ++count; });
    return count;
}

void GraphemeEnds(std::u16string_view text, std::vector<std::size_t>& ends) {
    ends.clear();
    ForEachCluster(text, [&ends](std::size_t end) { ends.push_back(end); });
}

} // namespace VexoFade
