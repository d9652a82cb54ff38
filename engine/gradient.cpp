#include "engine/gradient.h"

#include "engine/base/error.h"
#include "engine/fader.h"
#include "engine/markup_writer.h"
#include "engine/oklab.h"
#include "engine/unicode/grapheme.h"

#include <string>

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
// step = (end − start) / m: the product first, then the sum.
class RgbSegment {
public:
    RgbSegment(Rgb from, Rgb to, std::size_t units) {
        const double m = static_cast<double>(units);
        start_ = {static_cast<double>(from.red), static_cast<double>(from.green),
                  static_cast<double>(from.blue)};
        step_ = {(to.red - from.red) / m, (to.green - from.green) / m, (to.blue - from.blue) / m};
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
    Oklab start_;
    Oklab end_;
    Rgb last_;
    std::size_t units_;
};

// Collects the output in a small buffer and hands it to the string in blocks:
// the string is reserved once and written once, never zero-filled first.
class Sink {
public:
    static constexpr std::size_t kCapacity = 512;

    explicit Sink(std::u16string& out) : out_(out) {}
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    // Room for `units` more (at most kCapacity).
    char16_t* Reserve(std::size_t units) {
        if (used_ + units > kCapacity) {
            Flush();
        }
        return buffer_ + used_;
    }
    void Commit(char16_t* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    void Flush() {
        out_.append(buffer_, used_);
        used_ = 0;
    }
    std::u16string& Out() { return out_; }

private:
    std::u16string& out_;
    char16_t buffer_[kCapacity];
    std::size_t used_ = 0;
};

// Units up to this long are written straight into the sink's buffer.
constexpr std::size_t kShortUnit = 16;

// A longer unit (a letter with many combining marks) goes through a buffer of
// its own.
template <MarkupFormat F>
void WriteLongUnit(Sink& sink, Markup::Writer<F>& writer, Rgb colour, std::u16string_view unit,
                   int wave) {
    using Writer = Markup::Writer<F>;
    sink.Flush();
    std::u16string own(Writer::kOverhead + unit.size() * Writer::kEscapeGrowth, u'\0');
    const char16_t* end = writer.Unit(own.data(), colour, unit, wave);
    sink.Out().append(own.data(), static_cast<std::size_t>(end - own.data()));
}

// The segments of one gradient. kSingleUnits: every unit of the text is one
// UTF-16 unit (plain text), so the loop need not find where units end.
template <MarkupFormat F, class Segment, bool kSingleUnits>
void WriteSegments(Sink& sink, Markup::Writer<F>& writer, std::u16string_view text,
                   std::size_t units, std::span<const Rgb> stops, bool wave) {
    using Writer = Markup::Writer<F>;
    static_assert(Writer::kOverhead + kShortUnit * Writer::kEscapeGrowth <= Sink::kCapacity);
    const std::size_t segments = stops.size() - 1;
    std::size_t at = 0;
    std::size_t begin = 0;
    int counter = 0;
    for (std::size_t j = 0; j < segments; ++j) {
        const std::size_t end = DivideRoundHalfEven(units * (j + 1), segments);
        const std::size_t m = end - begin;
        begin = end;
        if (m == 0) {
            continue;
        }
        const Segment segment(stops[j], stops[j + 1], m);
        for (std::size_t i = 1; i <= m; ++i) {
            const std::size_t length = kSingleUnits ? 1 : GraphemeLength(text, at);
            if (wave) {
                counter = counter == 4 ? 1 : counter + 1;
            }
            const std::u16string_view unit(text.data() + at, length);
            if (kSingleUnits || length <= kShortUnit) {
                char16_t* out =
                    sink.Reserve(Writer::kOverhead + kShortUnit * Writer::kEscapeGrowth);
                sink.Commit(writer.Unit(out, segment.At(i), unit, counter));
            } else {
                WriteLongUnit(sink, writer, segment.At(i), unit, counter);
            }
            at += length;
        }
    }
}

// Writes one gradient over all the stops across the units of `text`. The wave
// counter runs on across segments.
template <MarkupFormat F, class Segment>
void WriteGradient(Sink& sink, Markup::Writer<F>& writer, std::u16string_view text,
                   std::span<const Rgb> stops, bool wave) {
    const std::size_t units = CountGraphemes(text);
    if (units == text.size()) {
        WriteSegments<F, Segment, true>(sink, writer, text, units, stops, wave);
    } else {
        WriteSegments<F, Segment, false>(sink, writer, text, units, stops, wave);
    }
}

// Each line (split at LF, CR LF or CR) gets a gradient of its own; the line
// breaks are written as they are.
template <MarkupFormat F, class Segment>
void WritePerLine(Sink& sink, Markup::Writer<F>& writer, std::u16string_view text,
                  std::span<const Rgb> stops, bool wave) {
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != u'\n' && text[at] != u'\r') {
            continue;
        }
        WriteGradient<F, Segment>(sink, writer, text.substr(lineStart, at - lineStart), stops,
                                  wave);
        if (at < text.size()) {
            const std::size_t breakLength =
                text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
            sink.Commit(Markup::PutUnit(sink.Reserve(breakLength), text.substr(at, breakLength)));
            at += breakLength - 1;
        }
        lineStart = at + 1;
    }
}

template <MarkupFormat F, class Segment>
std::u16string Fade(std::span<const Rgb> stops, std::u16string_view text,
                    const GradientOptions& options) {
    using Writer = Markup::Writer<F>;
    // Every unit is at least one UTF-16 unit of the text, so this bounds the
    // output: one allocation, and pages beyond the output are never touched.
    std::u16string out;
    out.reserve(text.size() * (Writer::kOverhead + Writer::kEscapeGrowth) + Writer::kTrailer);
    Sink sink(out);
    Writer writer;
    if (options.perLine) {
        WritePerLine<F, Segment>(sink, writer, text, stops, options.wave);
    } else {
        WriteGradient<F, Segment>(sink, writer, text, stops, options.wave);
    }
    sink.Commit(writer.Finish(sink.Reserve(Writer::kTrailer)));
    sink.Flush();
    return out;
}

template <MarkupFormat F>
std::u16string FadeIn(std::span<const Rgb> stops, std::u16string_view text,
                      const GradientOptions& options) {
    return options.blend == Blend::Oklab ? Fade<F, OklabSegment>(stops, text, options)
                                         : Fade<F, RgbSegment>(stops, text, options);
}

} // namespace

std::u16string FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                            const GradientOptions& options) {
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
    if (text.size() > kMaxFadeLength) {
        throw Error(
            ErrorNumber::Overflow,
            "The text is too long to fade: " + FormatCount(static_cast<long long>(text.size())) +
                " characters; at most " + FormatCount(kMaxFadeLength) + ".");
    }
    switch (options.format) {
    case MarkupFormat::Html:
        return FadeIn<MarkupFormat::Html>(stops, text, options);
    case MarkupFormat::BBCode:
        return FadeIn<MarkupFormat::BBCode>(stops, text, options);
    case MarkupFormat::Ansi:
        return FadeIn<MarkupFormat::Ansi>(stops, text, options);
    case MarkupFormat::Ansi256:
        return FadeIn<MarkupFormat::Ansi256>(stops, text, options);
    case MarkupFormat::MiniMessage:
        return FadeIn<MarkupFormat::MiniMessage>(stops, text, options);
    case MarkupFormat::Aim:
        break;
    }
    return FadeIn<MarkupFormat::Aim>(stops, text, options);
}

} // namespace VexoFade
