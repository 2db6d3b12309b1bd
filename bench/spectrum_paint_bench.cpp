// The palette's full repaint: 37,632 SetPixel calls onto the box's surface, then one
// presentation. Compared with a plain fill of the same surface, the floor of any repaint.
#include <benchmark/benchmark.h>

#include "app/program.h"
#include "platform/headless/headless_backend.h"

namespace {

struct OpenPalette {
    headless::HeadlessBackend ui;
    varnel::Program program{ui};
    forms::PictureBox* spectrum = nullptr;

    OpenPalette() {
        program.start();
        ui.click(program.Form_Varnel->Palette);
        spectrum = &program.myPalette.loaded()->Picture2;
    }
};

void SpectrumPaint(benchmark::State& state) {
    OpenPalette palette;
    for (auto _ : state) {
        palette.spectrum->user_expose();
        benchmark::DoNotOptimize(palette.spectrum->pixels().data());
    }
    state.counters["SetPixel/s"] = benchmark::Counter(
        37632.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SpectrumPaint)->Unit(benchmark::kMicrosecond);

void BackgroundFillOnly(benchmark::State& state) {
    OpenPalette palette;
    palette.spectrum->Paint = nullptr;
    for (auto _ : state) {
        palette.spectrum->user_expose();
        benchmark::DoNotOptimize(palette.spectrum->pixels().data());
    }
}
BENCHMARK(BackgroundFillOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
