// Fader and text-replacement throughput at 1, 1,000 and 32,767 characters.
#include "bench/sample_text.h"
#include "engine/fader.h"
#include "engine/replace_text.h"

#include <benchmark/benchmark.h>
#include <string>

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
