// Stepping through texts cluster by cluster: ASCII prose, and emoji sequences
// mixed with accented letters. Reports time per cluster. Instructions per unit:
// run under valgrind --tool=callgrind --toggle-collect='*StepClusters*' with
// --benchmark_filter=GraphemesAscii (or GraphemesMixed) and divide StepClusters'
// cost per call by the text's length (32,767 units; the mixed text 32,736).
#include "bench/sample_text.h"
#include "engine/unicode/grapheme.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr std::size_t kLength = 32767;

std::u16string MixedText() {
    const std::u16string_view piece =
        u"Caf\u00E9 \U0001F468\u200D\U0001F469\u200D\U0001F467 e\u0301t\u00E9 \U0001F1FA\U0001F1F8 "
        u"\U0001F44D\U0001F3FD \u2764\uFE0F na\u0308ive \uD55C\u1100\u1161\u11A8 ";
    std::u16string text;
    while (text.size() + piece.size() <= kLength) {
        text += piece;
    }
    return text;
}

[[gnu::noinline]] std::size_t StepClusters(std::u16string_view text) {
    std::size_t clusters = 0;
    for (std::size_t at = 0; at < text.size(); at += VexoFade::GraphemeLength(text, at)) {
        ++clusters;
    }
    return clusters;
}

void StepThrough(benchmark::State& state, const std::u16string& text) {
    std::size_t clusters = 0;
    for (auto _ : state) {
        clusters = StepClusters(text);
        benchmark::DoNotOptimize(clusters);
    }
    state.counters["per_cluster"] = benchmark::Counter(
        static_cast<double>(clusters),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["units_per_cluster"] =
        static_cast<double>(text.size()) / static_cast<double>(clusters);
}

void BM_GraphemesAscii(benchmark::State& state) {
    StepThrough(state, SampleText(kLength));
}
BENCHMARK(BM_GraphemesAscii);

void BM_GraphemesMixed(benchmark::State& state) {
    StepThrough(state, MixedText());
}
BENCHMARK(BM_GraphemesMixed);

// Counting alone, as the fader does before it steps: ASCII goes four units at a time.
void BM_CountGraphemes(benchmark::State& state) {
    const std::u16string text = state.range(0) == 0 ? SampleText(kLength) : MixedText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(VexoFade::CountGraphemes(text));
    }
    state.counters["per_unit"] = benchmark::Counter(static_cast<double>(text.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_CountGraphemes)->ArgName("mixed")->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
