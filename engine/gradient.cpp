#include "engine/gradient.h"

#include "base/error.h"
#include "engine/fader.h"
#include "engine/oklab.h"
#include "engine/unicode/grapheme.h"
#include "engine/unicode/width.h"
#include "markup_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace VexoFade {
namespace {

// The integer nearest to numerator / denominator, ties to even.
std::size_t DivideRoundHalfEven(std::size_t numerator, std::size_t denominator) {
    const std::size_t quotient = numerator / denominator;
    const std::size_t twiceRemainder = 2 * (numerator % denominator);
    const bool up =
        twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 == 1);
    return quotient + (up ? 1 : 0);
}

// Rounds a channel value (0 to 255) to the nearest integer, ties to even:
// adding and taking away 1.5 * 2^52 leaves no fraction bits, and the default
// floating-point mode rounds that sum to even.
std::uint8_t RoundChannel(double value) {
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
// at the integer nearest to units·j/(k − 1).
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
    // The last unit of the segment that has colour_, the colour of unit i_:
    // steps of growing length, then halving the last one.
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

// What the first pass finds in the text, for the second to write: runs of
// one-unit clusters of one column each, and every other cluster, line break
// and escape sequence with its length (and, for columns, its width). Each
// cluster is found once. An entry holds the kind in its top two bits, the
// width in the next two and the count or length below; a value too large for
// that is marked and follows in two more entries.
class Records {
public:
    enum Kind : std::uint32_t { kRun = 0, kCluster = 1, kBreak = 2, kEscape = 3 };
    static constexpr unsigned kTab = 3; // the width of a tab: to the next multiple of 8

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
        if (value < kLarge) {
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

constexpr char16_t kEsc = 0x1B;

bool IsLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r';
}

// The length of the escape sequence at `at` (text[at] is ESC): a CSI up to
// and with its final byte, an OSC up to and with BEL or ESC \, else the ESC
// alone. One cut short by a line break, a character that cannot be part of it
// or the end of the text is as long as it goes.
std::size_t EscapeLength(std::u16string_view text, std::size_t at) {
    std::size_t k = at + 1;
    if (k == text.size() || (text[k] != u'[' && text[k] != u']')) {
        return 1;
    }
    const bool csi = text[k++] == u'[';
    for (; k < text.size(); ++k) {
        const char16_t c = text[k];
        if (csi) {
            if (c < 0x20 || c > 0x7E) {
                break;
            }
            if (c >= 0x40) {
                return k + 1 - at;
            }
        } else if (c == 0x07) {
            return k + 1 - at;
        } else if (c == kEsc) {
            return (k + 1 < text.size() && text[k + 1] == u'\\' ? k + 2 : k) - at;
        } else if (IsLineEnd(c)) {
            break;
        }
    }
    return k - at;
}

// Whether the four units at `units` are all printable ASCII (0x20 to 0x7E).
bool AllPrintableAscii(const char16_t* units) {
    std::uint64_t word;
    std::memcpy(&word, units, sizeof word);
    constexpr std::uint64_t kLanes = 0x0001000100010001ULL;
    // A unit under 0x20 borrows into its lane's top bit; 0x7F and above have
    // a bit in 0xFF80 once 1 is added (no lane under 0x7F carries out).
    const std::uint64_t low = word - 0x20 * kLanes;
    const std::uint64_t high = word + kLanes;
    return ((low | high) & 0xFF80 * kLanes) == 0 && (word & 0xFF80 * kLanes) == 0;
}

// The first pass over a text that starts at a cluster boundary and ends at
// one. kEscapes: the terminal formats, which pass escape sequences through.
template <bool kEscapes, bool kColumns>
void Scan(std::u16string_view text, Records& records, Totals& totals) {
    std::size_t run = 0;
    const auto endRun = [&] {
        if (run != 0) {
            records.Add(Records::kRun, 1, run);
            totals.units += run;
            totals.column += kColumns ? run : 0;
            run = 0;
        }
    };
    for (std::size_t at = 0; at < text.size();) {
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
        if (kEscapes && c == kEsc) {
            endRun();
            const std::size_t length = EscapeLength(text, at);
            records.Add(Records::kEscape, 0, length);
            at += length;
            continue;
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
            width = c == u'\t' ? Records::kTab : static_cast<unsigned>(ClusterWidth(unit));
            totals.column =
                width == Records::kTab ? (totals.column / 8 + 1) * 8 : totals.column + width;
        }
        records.Add(Records::kCluster, width, length);
    }
    endRun();
    totals.widest = std::max(totals.widest, totals.column);
}

// Units up to this long are written straight into the buffer.
constexpr std::size_t kShortUnit = 16;

// The second pass: writes units with their colours from what the first found.
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
                column = width == Records::kTab ? (column / 8 + 1) * 8 : column + width;
                return c;
            } else {
                return walk.Next();
            }
        };
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
                    Unit(colour(0), {text.data() + at, entry.value});
                    column = 0;
                    at += entry.value;
                    break;
                case Records::kEscape:
                    buffer_.Raw({text.data() + at, entry.value});
                    writer_.Escaped();
                    at += entry.value;
                    break;
                }
            }
        }
    }

private:
    // The most a cluster of one unit takes.
    static constexpr std::size_t kRunUnit = Writer::kOverhead + Writer::kEscapeGrowth;

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

// Texts are held in blocks of about this many units, each ending after an LF
// (or where the text ends), so no cluster or escape sequence spans two.
constexpr std::size_t kBlockUnits = std::size_t{1} << 20;

} // namespace

class GradientStream::Impl {
public:
    virtual ~Impl() = default;
    virtual void Append(std::u16string_view piece) = 0;
    virtual void Finish() = 0;
    // The whole text at once, held by the caller: no copy.
    virtual void FadeText(std::u16string_view text) = 0;
};

namespace {

template <MarkupFormat F, class Segment> class StreamImpl final : public GradientStream::Impl {
public:
    static constexpr bool kEscapes = F == MarkupFormat::Ansi || F == MarkupFormat::Ansi256;

    StreamImpl(std::span<const Rgb> stops, const GradientOptions& options, MarkupSink& sink)
        : stops_(stops.begin(), stops.end()), options_(options), painter_(stops_, options, sink) {
        painter_.Start();
    }

    void Append(std::u16string_view piece) override {
        if (options_.perLine) {
            AppendLines(piece);
            painter_.Flush();
            return;
        }
        if (blocks_.empty()) {
            blocks_.emplace_back().reserve(kBlockUnits);
        }
        std::u16string& block = blocks_.back();
        const std::size_t lf = block.size() + piece.size() > kBlockUnits
                                   ? piece.rfind(u'\n')
                                   : std::u16string_view::npos;
        if (lf == std::u16string_view::npos) {
            block.append(piece); // a line too long for one block makes it longer
            return;
        }
        block.append(piece.substr(0, lf + 1));
        blocks_.emplace_back().reserve(kBlockUnits);
        blocks_.back().append(piece.substr(lf + 1));
    }

    void Finish() override {
        if (options_.perLine) {
            Line(line_);
        } else {
            std::vector<std::u16string_view> views(blocks_.begin(), blocks_.end());
            Whole(views);
        }
        painter_.Finish();
    }

    void FadeText(std::u16string_view text) override {
        if (options_.perLine) {
            AppendLines(text);
            Line(line_);
        } else {
            Whole({&text, 1});
        }
        painter_.Finish();
    }

private:
    void Whole(std::span<const std::u16string_view> texts) {
        Totals totals;
        for (const std::u16string_view text : texts) {
            if (options_.columns) {
                Scan<kEscapes, true>(text, records_, totals);
            } else {
                Scan<kEscapes, false>(text, records_, totals);
            }
        }
        if (options_.columns) {
            painter_.template Paint<true>(texts, records_, totals);
        } else {
            painter_.template Paint<false>(texts, records_, totals);
        }
    }

    void Line(std::u16string_view line) {
        records_.Clear();
        Totals totals;
        Scan<kEscapes, false>(line, records_, totals);
        painter_.template Paint<false>({&line, 1}, records_, totals);
    }

    // Writes every line whose break is in the piece; keeps the rest.
    void AppendLines(std::u16string_view piece) {
        std::size_t start = 0;
        if (afterCr_ && !piece.empty()) {
            afterCr_ = false;
            if (piece.front() == u'\n') {
                painter_.BreakTail();
                start = 1;
            }
        }
        for (std::size_t at = start; at < piece.size(); ++at) {
            const char16_t c = piece[at];
            if (!IsLineEnd(c)) {
                continue;
            }
            if (line_.empty()) {
                Line(piece.substr(start, at - start));
            } else {
                line_.append(piece.substr(start, at - start));
                Line(line_);
                line_.clear();
            }
            const bool crLf = c == u'\r' && at + 1 < piece.size() && piece[at + 1] == u'\n';
            painter_.Break(piece.substr(at, crLf ? 2 : 1));
            afterCr_ = c == u'\r' && at + 1 == piece.size();
            at += crLf ? 1 : 0;
            start = at + 1;
        }
        line_.append(piece.substr(start));
    }

    std::vector<Rgb> stops_;
    GradientOptions options_;
    Painter<F, Segment> painter_;
    Records records_;
    std::u16string line_;
    bool afterCr_ = false;
    std::vector<std::u16string> blocks_;
};

template <MarkupFormat F>
std::unique_ptr<GradientStream::Impl> MakeIn(std::span<const Rgb> stops,
                                             const GradientOptions& options, MarkupSink& sink) {
    if (options.blend == Blend::Oklab) {
        return std::make_unique<StreamImpl<F, OklabSegment>>(stops, options, sink);
    }
    return std::make_unique<StreamImpl<F, RgbSegment>>(stops, options, sink);
}

std::unique_ptr<GradientStream::Impl> Make(std::span<const Rgb> stops,
                                           const GradientOptions& options, MarkupSink& sink) {
    if (stops.size() < kMinStops || stops.size() > kMaxStops) {
        throw Error(ErrorNumber::InvalidArgument, "A gradient takes " + std::to_string(kMinStops) +
                                                      " to " + std::to_string(kMaxStops) +
                                                      " colours, not " +
                                                      std::to_string(stops.size()) + ".");
    }
    if (options.wave && options.format != MarkupFormat::Aim &&
        options.format != MarkupFormat::Html) {
        throw Error(ErrorNumber::InvalidArgument,
                    "The wave can only be written in the aim and html formats.");
    }
    if (options.columns && options.perLine) {
        throw Error(ErrorNumber::InvalidArgument,
                    "A gradient runs either across columns or along each line, not both.");
    }
    switch (options.format) {
    case MarkupFormat::Html:
        return MakeIn<MarkupFormat::Html>(stops, options, sink);
    case MarkupFormat::BBCode:
        return MakeIn<MarkupFormat::BBCode>(stops, options, sink);
    case MarkupFormat::Ansi:
        return MakeIn<MarkupFormat::Ansi>(stops, options, sink);
    case MarkupFormat::Ansi256:
        return MakeIn<MarkupFormat::Ansi256>(stops, options, sink);
    case MarkupFormat::MiniMessage:
        return MakeIn<MarkupFormat::MiniMessage>(stops, options, sink);
    case MarkupFormat::Aim:
        break;
    }
    return MakeIn<MarkupFormat::Aim>(stops, options, sink);
}

// The messenger's markup holds at most kMaxFadeLength units of text.
void CheckLength(const GradientOptions& options, std::size_t units) {
    if (options.format == MarkupFormat::Aim && units > kMaxFadeLength) {
        throw Error(ErrorNumber::Overflow,
                    "The text is too long to fade: " + FormatCount(static_cast<long long>(units)) +
                        " characters; at most " + FormatCount(kMaxFadeLength) + ".");
    }
}

} // namespace

// The stream and FadeGradient share one implementation; FadeGradient hands it
// the whole text at once, without a copy.
void FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                  const GradientOptions& options, MarkupSink& sink) {
    CheckLength(options, text.size());
    Make(stops, options, sink)->FadeText(text);
}

std::u16string FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                            const GradientOptions& options) {
    std::u16string out;
    // A bound on the messenger's markup: one allocation, and pages beyond the
    // output are never touched.
    if (options.format == MarkupFormat::Aim && text.size() <= kMaxFadeLength) {
        out.reserve(text.size() * (Markup::Writer<MarkupFormat::Aim>::kOverhead + 5));
    }
    StringSink sink(out);
    FadeGradient(stops, text, options, sink);
    return out;
}

GradientStream::GradientStream(std::span<const Rgb> stops, const GradientOptions& options,
                               MarkupSink& sink)
    : impl_(Make(stops, options, sink)), format_(options.format) {}

GradientStream::~GradientStream() = default;

void GradientStream::Append(std::u16string_view piece) {
    appended_ += piece.size();
    CheckLength({.format = format_}, appended_);
    impl_->Append(piece);
}

void GradientStream::Finish() {
    impl_->Finish();
}

} // namespace VexoFade
