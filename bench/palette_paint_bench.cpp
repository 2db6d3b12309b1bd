// The palette's full repaint: 37,632 SetPixel calls onto the box's surface, then one
// presentation. Compared with a plain fill of the same surface, the floor of any repaint.
#include <benchmark/benchmark.h>

#include "bench/started_varnel.h"

namespace {

void SpectrumPaint(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    forms::PictureBox& spectrum = app.open_palette();
    for (auto _ : state) {
        spectrum.user_expose();
        benchmark::DoNotOptimize(spectrum.pixels().data());
    }
    state.counters["SetPixel/s"] = benchmark::Counter(
        37632.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SpectrumPaint)->Unit(benchmark::kMicrosecond);

void BackgroundFillOnly(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    forms::PictureBox& spectrum = app.open_palette();
    spectrum.Paint = nullptr;
    for (auto _ : state) {
        spectrum.user_expose();
        benchmark::DoNotOptimize(spectrum.pixels().data());
    }
}
BENCHMARK(BackgroundFillOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
