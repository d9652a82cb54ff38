// Fader, gradient and text-replacement throughput at 1, 1,000 and 32,767 characters.
#include "bench/sample_text.h"
#include "engine/fader.h"
#include "engine/gradient.h"
#include "engine/replace_text.h"

#include <benchmark/benchmark.h>
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
