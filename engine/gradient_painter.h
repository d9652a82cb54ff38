#pragma once

// The second pass: writes every unit in its colour from what the first pass
// recorded, through a small buffer, in one format.

#include "colour_walk.h"
#include "gradient_records.h"
#include "engine/markup_sink.h"
#include "markup_writer.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace VexoFade::Gradient {

// Collects the output in a small buffer and hands it to the sink in blocks,
// each ending where a unit ends.
class Buffer {
public:
    static constexpr std::size_t kCapacity = 4096;

    explicit Buffer(MarkupSink& sink) : sink_(sink) {}
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    // Room for `units` more (at most kCapacity).
    char16_t* Reserve(std::size_t units) {
        if (used_ + units > kCapacity) {
            Flush();
        }
        return buffer_ + used_;
    }
    void Commit(char16_t* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    // Units free before the next flush.
    std::size_t Room() const { return kCapacity - used_; }
    void Flush() {
        if (used_ != 0) {
            sink_.Write({buffer_, used_});
            used_ = 0;
        }
    }
    // Text written as it is, of any length.
    void Raw(std::u16string_view text) {
        if (text.size() <= kCapacity) {
            Commit(Markup::Put(Reserve(text.size()), text));
        } else {
            Flush();
            sink_.Write(text);
        }
    }

private:
    MarkupSink& sink_;
    char16_t buffer_[kCapacity];
    std::size_t used_ = 0;
};

// Units up to this long are written straight into the buffer.
constexpr std::size_t kShortUnit = 16;

template <MarkupFormat F, class Segment> class Painter {
public:
    using Writer = Markup::Writer<F>;
    static_assert(Writer::kOverhead + kShortUnit * Writer::kEscapeGrowth <= Buffer::kCapacity);

    Painter(std::span<const Rgb> stops, const GradientOptions& options, MarkupSink& sink)
        : stops_(stops), options_(options), buffer_(sink) {}

    void Start() { buffer_.Commit(writer_.Start(buffer_.Reserve(Writer::kFrame))); }
    void Finish() {
        buffer_.Commit(writer_.Finish(buffer_.Reserve(Writer::kFrame)));
        buffer_.Flush();
    }
    void Flush() { buffer_.Flush(); }

    // A line break outside the gradient (per line); BreakTail() writes the LF
    // of a CR LF whose CR came at the end of a piece and was written at once.
    void Break(std::u16string_view lineBreak) {
        buffer_.Commit(writer_.Break(buffer_.Reserve(Writer::kFrame + 2), lineBreak));
    }
    void BreakTail() {
        if constexpr (F != MarkupFormat::Html) {
            buffer_.Raw(u"\n");
        }
    }

    // One gradient over the texts, which follow each other; `records` are
    // the first pass's over the same texts.
    template <bool kColumns>
    void Paint(std::span<const std::u16string_view> texts, Records& records, const Totals& totals) {
        counter_ = 0;
        ColourWalk<Segment> walk(stops_, totals.units);
        std::vector<Rgb> columns;
        if constexpr (kColumns) {
            const std::size_t width = std::max<std::size_t>(totals.widest, 1);
            ColourWalk<Segment> across(stops_, width);
            columns.resize(width);
            for (Rgb& colour : columns) {
                colour = across.Next();
            }
        }
        std::size_t column = 0;
        // The colour of the next unit and the column after it.
        const auto colour = [&](unsigned width) {
            if constexpr (kColumns) {
                const Rgb c = columns[std::min(column, columns.size() - 1)];
                column = ColumnAfter(column, width);
                return c;
            } else {
                return walk.Next();
            }
        };
        // The most a cluster of one unit takes.
        constexpr std::size_t kRunUnit = Writer::kOverhead + Writer::kEscapeGrowth;
        for (const std::u16string_view text : texts) {
            for (std::size_t at = 0; at < text.size();) {
                const Records::Entry entry = records.Next();
                switch (entry.kind) {
                case Records::kRun:
                    // As many units at once as the buffer has room for.
                    for (const std::size_t end = at + entry.value; at < end;) {
                        std::size_t count = std::min(end - at, buffer_.Room() / kRunUnit);
                        if (count == 0) {
                            buffer_.Flush();
                            count = std::min(end - at, Buffer::kCapacity / kRunUnit);
                        }
                        char16_t* out = buffer_.Reserve(count * kRunUnit);
                        for (const std::size_t stop = at + count; at < stop; ++at) {
                            out = RunUnit(out, colour(1), text[at]);
                        }
                        buffer_.Commit(out);
                    }
                    break;
                case Records::kCluster:
                    Unit(colour(entry.width), {text.data() + at, entry.value});
                    at += entry.value;
                    break;
                case Records::kBreak:
                    LineBreak(colour(0), {text.data() + at, entry.value});
                    column = 0;
                    at += entry.value;
                    break;
                case Records::kControl:
                    buffer_.Raw({text.data() + at, entry.value});
                    if (entry.width == Records::kSetsColour) {
                        writer_.Escaped();
                    }
                    at += entry.value;
                    break;
                }
            }
        }
    }

private:
    CHROMELL_INLINE char16_t* RunUnit(char16_t* out, Rgb colour, const char16_t& unit) {
        if (options_.wave) {
            counter_ = counter_ == 4 ? 1 : counter_ + 1;
        }
        return writer_.Unit(out, colour, {&unit, 1}, counter_);
    }

    CHROMELL_INLINE void Unit(Rgb colour, std::u16string_view unit) {
        if (options_.wave) {
            counter_ = counter_ == 4 ? 1 : counter_ + 1;
        }
        if (unit.size() <= kShortUnit) {
            char16_t* out = buffer_.Reserve(Writer::kOverhead + kShortUnit * Writer::kEscapeGrowth);
            buffer_.Commit(writer_.Unit(out, colour, unit, counter_));
            return;
        }
        LongUnit(colour, unit);
    }

    // A line break inside the gradient: a colour step, written as the format
    // writes a break.
    void LineBreak(Rgb colour, std::u16string_view unit) {
        if (options_.wave) {
            counter_ = counter_ == 4 ? 1 : counter_ + 1;
        }
        buffer_.Commit(writer_.LineBreak(buffer_.Reserve(Writer::kOverhead + kShortUnit), colour,
                                         unit, counter_));
    }

    // A longer unit (a letter with many combining marks) goes through a
    // buffer of its own.
    [[gnu::noinline]] void LongUnit(Rgb colour, std::u16string_view unit) {
        std::u16string own(Writer::kOverhead + unit.size() * Writer::kEscapeGrowth, u'\0');
        const char16_t* end = writer_.Unit(own.data(), colour, unit, counter_);
        buffer_.Flush();
        buffer_.Raw({own.data(), static_cast<std::size_t>(end - own.data())});
    }

    std::span<const Rgb> stops_;
    GradientOptions options_;
    Buffer buffer_;
    Writer writer_;
    int counter_ = 0;
};

} // namespace VexoFade::Gradient
