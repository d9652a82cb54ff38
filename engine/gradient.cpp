#include "engine/gradient.h"

#include "base/error.h"
#include "engine/fader.h"
#include "gradient_painter.h"
#include "gradient_scan.h"

#include <string>
#include <vector>

namespace VexoFade {

using Gradient::Painter;
using Gradient::Records;
using Gradient::Scan;
using Gradient::Totals;

class GradientStream::Impl {
public:
    virtual ~Impl() = default;
    virtual void Append(std::u16string_view piece) = 0;
    virtual void Finish() = 0;
    // The whole text at once, held by the caller: no copy.
    virtual void FadeText(std::u16string_view text) = 0;
};

namespace {

// Texts are held in blocks of about this many units, each ending after an LF
// (or where the text ends), so no cluster spans two; a control may, and the
// first pass carries it on.
constexpr std::size_t kBlockUnits = std::size_t{1} << 20;

template <MarkupFormat F, class Segment> class StreamImpl final : public GradientStream::Impl {
public:
    static constexpr bool kControls = F == MarkupFormat::Ansi || F == MarkupFormat::Ansi256;

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
        Terminal::State state = Terminal::State::Ground;
        for (const std::u16string_view text : texts) {
            if (options_.columns) {
                Scan<kControls, true, false>(text, records_, totals, state);
            } else {
                Scan<kControls, false, false>(text, records_, totals, state);
            }
        }
        if (options_.columns) {
            painter_.template Paint<true>(texts, records_, totals);
        } else {
            painter_.template Paint<false>(texts, records_, totals);
        }
    }

    // The last line, which no break ends.
    void Line(std::u16string_view line) {
        records_.Clear();
        Totals totals;
        Terminal::State state = Terminal::State::Ground;
        Scan<kControls, false, false>(line, records_, totals, state);
        painter_.template Paint<false>({&line, 1}, records_, totals);
    }

    // Writes every line whose break has arrived; keeps the rest.
    void AppendLines(std::u16string_view piece) {
        if (afterCr_ && !piece.empty()) {
            afterCr_ = false;
            if (piece.front() == u'\n') {
                painter_.BreakTail();
                piece.remove_prefix(1);
            }
        }
        std::u16string_view text = piece;
        if (!line_.empty()) {
            // The line so far has no break: it is scanned again only once
            // the piece brings one, outside any control.
            const bool breakIn =
                Gradient::FirstLineEnd<kControls>(piece, heldState_) != std::u16string_view::npos;
            line_.append(piece);
            if (!breakIn) {
                return;
            }
            text = line_;
        }
        std::size_t at = 0;
        heldState_ = Terminal::State::Ground;
        while (at < text.size()) {
            const std::u16string_view rest = text.substr(at);
            records_.Clear();
            Totals totals;
            Terminal::State state = Terminal::State::Ground;
            const std::size_t end = Scan<kControls, false, true>(rest, records_, totals, state);
            if (end == rest.size()) {
                heldState_ = state; // where the held rest of the line stands
                break;
            }
            const std::u16string_view line = rest.substr(0, end);
            painter_.template Paint<false>({&line, 1}, records_, totals);
            const bool cr = rest[end] == u'\r';
            const bool crLf = cr && end + 1 < rest.size() && rest[end + 1] == u'\n';
            painter_.Break(rest.substr(end, crLf ? 2 : 1));
            afterCr_ = cr && end + 1 == rest.size();
            at += end + (crLf ? 2 : 1);
        }
        if (!line_.empty() && text.data() == line_.data()) {
            line_.erase(0, at);
        } else {
            line_.assign(text.substr(at));
        }
    }

    std::vector<Rgb> stops_;
    GradientOptions options_;
    Painter<F, Segment> painter_;
    Records records_;
    std::u16string line_;
    // Per line: where a reader of the controls stands at the end of line_.
    Terminal::State heldState_ = Terminal::State::Ground;
    bool afterCr_ = false;
    std::vector<std::u16string> blocks_;
};

template <MarkupFormat F>
std::unique_ptr<GradientStream::Impl> MakeIn(std::span<const Rgb> stops,
                                             const GradientOptions& options, MarkupSink& sink) {
    if (options.blend == Blend::Oklab) {
        return std::make_unique<StreamImpl<F, Gradient::OklabSegment>>(stops, options, sink);
    }
    return std::make_unique<StreamImpl<F, Gradient::RgbSegment>>(stops, options, sink);
}

std::unique_ptr<GradientStream::Impl> Make(std::span<const Rgb> stops,
                                           const GradientOptions& options, MarkupSink& sink) {
    CheckGradient(stops.size(), options);
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

} // namespace

bool HasWave(MarkupFormat format) {
    return format == MarkupFormat::Aim || format == MarkupFormat::Html;
}

void CheckGradient(std::size_t stopCount, const GradientOptions& options) {
    if (stopCount < kMinStops || stopCount > kMaxStops) {
        throw Chromell::Error(Chromell::ErrorNumber::InvalidArgument,
                              "A gradient takes " + std::to_string(kMinStops) + " to " +
                                  std::to_string(kMaxStops) + " colours, not " +
                                  std::to_string(stopCount) + ".");
    }
    if (options.wave && !HasWave(options.format)) {
        throw Chromell::Error(Chromell::ErrorNumber::InvalidArgument,
                              "The wave works only in the aim and html formats.");
    }
    if (options.columns && options.perLine) {
        throw Chromell::Error(
            Chromell::ErrorNumber::InvalidArgument,
            "Columns and per-line exclude each other: one gradient runs across the "
            "columns of every line, the other along each line.");
    }
}

void CheckFadeLength(MarkupFormat format, std::size_t units) {
    if (format == MarkupFormat::Aim && units > kMaxFadeLength) {
        throw Chromell::Error(Chromell::ErrorNumber::Overflow,
                              "The text is too long to fade: " +
                                  Chromell::FormatCount(static_cast<long long>(units)) +
                                  " UTF-16 units; the messenger's markup holds at most " +
                                  Chromell::FormatCount(kMaxFadeLength) + ".");
    }
}

// The stream and FadeGradient share one implementation; FadeGradient hands it
// the whole text at once, without a copy.
void FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                  const GradientOptions& options, MarkupSink& sink) {
    CheckFadeLength(options.format, text.size());
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
    CheckFadeLength(format_, appended_);
    impl_->Append(piece);
}

void GradientStream::Finish() {
    impl_->Finish();
}

} // namespace VexoFade
