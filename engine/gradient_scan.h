#pragma once

// The first pass over a text: finds each cluster, line break and (in the
// terminal formats) control once, counts the colour steps and records what
// the second pass writes.

#include "gradient_records.h"
#include "engine/terminal_controls.h"
#include "engine/unicode/grapheme.h"
#include "engine/unicode/width.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace VexoFade::Gradient {

inline bool IsLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r';
}

// Where the first line break outside a control is in `text`, read on from
// `state` (kControls: the terminal formats); npos if there is none, and then
// `state` is where the reader stands at the text's end.
template <bool kControls>
std::size_t FirstLineEnd(std::u16string_view text, Terminal::State& state) {
    if constexpr (!kControls) {
        return text.find_first_of(u"\r\n");
    } else {
        std::size_t at = state == Terminal::State::Ground ? 0 : Terminal::Continue(text, 0, state);
        while (at < text.size()) {
            const char16_t c = text[at];
            if (IsLineEnd(c)) {
                return at;
            }
            at = Terminal::StartsControl(c) ? Terminal::ReadControl(text, at, state) : at + 1;
        }
        return std::u16string_view::npos;
    }
}

// Whether the four units at `units` are all printable ASCII (0x20 to 0x7E).
inline bool AllPrintableAscii(const char16_t* units) {
    std::uint64_t word;
    std::memcpy(&word, units, sizeof word);
    constexpr std::uint64_t kLanes = 0x0001000100010001ULL;
    // A unit under 0x20 borrows into its lane's top bit; 0x7F and above have
    // a bit in 0xFF80 once 1 is added (no lane under 0x7F carries out).
    const std::uint64_t low = word - 0x20 * kLanes;
    const std::uint64_t high = word + kLanes;
    return ((low | high) & 0xFF80 * kLanes) == 0 && (word & 0xFF80 * kLanes) == 0;
}

// Scans a text that starts at a cluster boundary; `state` carries a control
// on from the text before (Ground at the start of the whole text).
// kControls: the terminal formats, where controls pass through whole and take
// no colour step; kColumns: widths are counted for a gradient across columns;
// kOneLine: per line, the scan stops at the first line break outside a
// control. Returns where the scan stopped: that line break, or the text's end.
template <bool kControls, bool kColumns, bool kOneLine>
std::size_t Scan(std::u16string_view text, Records& records, Totals& totals,
                 Terminal::State& state) {
    std::size_t run = 0;
    const auto endRun = [&] {
        if (run != 0) {
            records.Add(Records::kRun, 1, run);
            totals.units += run;
            totals.column += kColumns ? run : 0;
            run = 0;
        }
    };
    std::size_t at = 0;
    if constexpr (kControls) {
        if (state != Terminal::State::Ground) {
            at = Terminal::Continue(text, 0, state);
            records.Add(Records::kControl, Records::kSetsColour, at);
        }
    }
    while (at < text.size()) {
        // Printable ASCII followed by ASCII: a cluster of one unit and one
        // column. Four units at a time while all are, then one at a time.
        const std::size_t from = at;
        while (at + 4 < text.size() && AllPrintableAscii(text.data() + at) && text[at + 4] < 0x80) {
            at += 4;
        }
        while (at + 1 < text.size() && (text[at] | text[at + 1]) < 0x80 && text[at] >= 0x20 &&
               text[at] != 0x7F) {
            ++at;
        }
        run += at - from;
        if (at == text.size()) {
            break;
        }
        const char16_t c = text[at];
        if constexpr (kControls) {
            if (Terminal::StartsControl(c)) {
                endRun();
                const std::size_t end = Terminal::ReadControl(text, at, state);
                records.Add(Records::kControl, Terminal::MaySetColour(c) ? Records::kSetsColour : 0,
                            end - at);
                at = end;
                continue;
            }
        }
        if constexpr (kOneLine) {
            if (IsLineEnd(c)) {
                endRun();
                return at;
            }
        }
        const std::size_t length = GraphemeLength(text, at);
        if (length == 1 && !IsLineEnd(c) && (!kColumns || CodePointWidth(c) == 1)) {
            ++run;
            ++at;
            continue;
        }
        endRun();
        const std::u16string_view unit(text.data() + at, length);
        at += length;
        ++totals.units;
        if (IsLineEnd(c)) {
            records.Add(Records::kBreak, 0, length);
            totals.widest = std::max(totals.widest, totals.column);
            totals.column = 0;
            continue;
        }
        unsigned width = 1;
        if constexpr (kColumns) {
            width = c == u'\t' ? kTabWidth : static_cast<unsigned>(ClusterWidth(unit));
            totals.column = ColumnAfter(totals.column, width);
        }
        records.Add(Records::kCluster, width, length);
    }
    endRun();
    totals.widest = std::max(totals.widest, totals.column);
    return text.size();
}

} // namespace VexoFade::Gradient
