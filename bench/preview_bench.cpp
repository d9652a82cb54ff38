// Drawing faded markup on the Qt surface: the preview box as the window has
// it (297 x 25, so most of a long line falls outside and is only measured),
// and an image large enough to hold every glyph, as --preview draws it.
#include "bench/sample_text.h"
#include "engine/fader.h"
#include "preview/preview_box.h"
#include "preview/qt/qt_drawing_surface.h"
#include "preview/render_markup.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <string>

namespace {

const QSize kBox(VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight);

std::u16string FadedSample(benchmark::State& state) {
    const VexoFade::Flag wave = state.range(1) != 0 ? VexoFade::kTrue : VexoFade::kFalse;
    return VexoFade::FadeThreeColors(0x0000FF, 0x00FF00, 0xFF0000,
                                     SampleText(static_cast<std::size_t>(state.range(0))), wave);
}

void Run(benchmark::State& state, VexoFade::QtDrawingSurface& surface,
         const std::u16string& markup) {
    for (auto _ : state) {
        VexoFade::RenderMarkupPreview(surface, markup);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["markup_units"] = static_cast<double>(markup.size());
}

void BM_RenderFadeOnPreviewBox(benchmark::State& state) {
    const std::u16string markup = FadedSample(state);
    VexoFade::QtDrawingSurface surface(kBox);
    Run(state, surface, markup);
}
BENCHMARK(BM_RenderFadeOnPreviewBox)
    ->ArgsProduct({{1, 1000, 32767}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_RenderFadeWholeImage(benchmark::State& state) {
    const std::u16string markup = FadedSample(state);
    VexoFade::QtDrawingSurface surface(kBox);
    VexoFade::RenderMarkupPreview(surface, markup);
    surface.Resize(surface.DrawnExtent().expandedTo(kBox));
    Run(state, surface, markup);
}
BENCHMARK(BM_RenderFadeWholeImage)
    ->ArgsProduct({{1000, 32767}, {0}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
