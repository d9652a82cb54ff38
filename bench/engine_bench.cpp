// Fader, gradient, UTF-8 and text-replacement throughput at 1, 1,000 and 32,767 characters.
#include "bench/sample_text.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/replace_text.h"
#include "engine/utf8.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void BM_FadeThreeColors(benchmark::State& state) {
    const std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    const VexoFade::Flag wave = state.range(1) != 0 ? VexoFade::kTrue : VexoFade::kFalse;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            VexoFade::FadeThreeColors(0x0000FF, 0x00FF00, 0xFF0000, text, wave));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FadeThreeColors)->ArgsProduct({{1, 1000, 32767}, {0, 1}});

// Arguments: format, blend, number of stops; 32,766 characters.
void BM_FadeGradient(benchmark::State& state) {
    const std::u16string text = SampleText(32766);
    std::vector<VexoFade::Rgb> stops;
    for (std::int64_t k = 0; k < state.range(2); ++k) {
        const auto v = static_cast<std::uint8_t>(k * 97);
        stops.push_back({v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v * 3)});
    }
    VexoFade::GradientOptions options;
    options.format = static_cast<VexoFade::MarkupFormat>(state.range(0));
    options.blend = static_cast<VexoFade::Blend>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::FadeGradient(stops, text, options));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FadeGradient)
    ->ArgNames({"format", "oklab", "stops"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}, {3, 16}});

// Counts what a fade writes, and keeps nothing.
struct CountingSink final : VexoFade::MarkupSink {
    std::size_t units = 0;
    void Write(std::u16string_view block) override { units += block.size(); }
};

// The terminal format over 1,000,000 units of 45-character lines, through a
// sink: 0 the whole text's gradient, 1 per line, 2 across columns.
// The ansi fade of a text into a sink that only counts, in the mode the
// benchmark's argument names: 0 the whole text, 1 per line, 2 across columns.
void FadeAnsiInMode(benchmark::State& state, const std::u16string& text) {
    const std::vector<VexoFade::Rgb> stops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    VexoFade::GradientOptions options{VexoFade::MarkupFormat::Ansi};
    options.perLine = state.range(0) == 1;
    options.columns = state.range(0) == 2;
    for (auto _ : state) {
        CountingSink sink;
        VexoFade::FadeGradient(stops, text, options, sink);
        benchmark::DoNotOptimize(sink.units);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_FadeLines(benchmark::State& state) {
    std::u16string text = SampleText(1000000);
    for (std::size_t k = 44; k < text.size(); k += 45) {
        text[k] = u'\n';
    }
    FadeAnsiInMode(state, text);
}
BENCHMARK(BM_FadeLines)->ArgName("mode")->DenseRange(0, 2);

// bench/data/mixed.txt: Devanagari, Khmer, emoji sequences and accented
// Latin in equal parts, 32,766 UTF-16 units; aim (0) and ansi (3).
void BM_FadeMixed(benchmark::State& state) {
    std::ifstream file(CHROMELL_BENCH_DATA "/mixed.txt", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::u16string text = VexoFade::DecodeUtf8(bytes).value_or(u"");
    const std::vector<VexoFade::Rgb> stops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const VexoFade::GradientOptions options{static_cast<VexoFade::MarkupFormat>(state.range(0))};
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::FadeGradient(stops, text, options));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FadeMixed)->ArgName("format")->Arg(0)->Arg(3);

// bench/data/mixed_lines.txt: short lines of words in ASCII, accented Latin,
// CJK and emoji, ansi through a sink: 0 the whole text, 1 per line, 2 across
// columns.
void BM_FadeMixedLines(benchmark::State& state) {
    std::ifstream file(CHROMELL_BENCH_DATA "/mixed_lines.txt", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::u16string text = VexoFade::DecodeUtf8(bytes).value_or(u"");
    FadeAnsiInMode(state, text);
}
BENCHMARK(BM_FadeMixedLines)->ArgName("mode")->DenseRange(0, 2);

// chromell-fade's UTF-8 both ways on what it reads and writes: the mixed text
// (0) and the ASCII sample (1), and the aim markup of each; items are the
// UTF-16 units of both.
void BM_Utf8(benchmark::State& state) {
    std::u16string text = SampleText(32766);
    if (state.range(0) == 0) {
        std::ifstream file(CHROMELL_BENCH_DATA "/mixed.txt", std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        text = VexoFade::DecodeUtf8(bytes).value_or(u"");
    }
    const std::vector<VexoFade::Rgb> stops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const std::u16string markup = VexoFade::FadeGradient(stops, text, {});
    std::string textBytes;
    VexoFade::AppendUtf8(text, textBytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::DecodeUtf8(textBytes));
        std::string out;
        VexoFade::AppendUtf8(markup, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(text.size() + markup.size()));
}
BENCHMARK(BM_Utf8)->ArgName("ascii")->Arg(0)->Arg(1);

// Every other unit a carriage return: the worst case of the preview's use.
void BM_ReplaceTextLineBreaks(benchmark::State& state) {
    std::u16string text = SampleText(static_cast<std::size_t>(state.range(0)));
    for (std::size_t k = 1; k < text.size(); k += 2) {
        text[k] = u'\r';
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::ReplaceText(text, u"\r", u"+chr13+"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceTextLineBreaks)->Arg(1)->Arg(1000)->Arg(32767);

// Re-forming occurrences: every replacement makes a new one with its neighbour.
void BM_ReplaceTextCollapse(benchmark::State& state) {
    const std::u16string text(static_cast<std::size_t>(state.range(0)), u'a');
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::ReplaceText(text, u"aa", u"a"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceTextCollapse)->Arg(1)->Arg(1000)->Arg(32767);

} // namespace
