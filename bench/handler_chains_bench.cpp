// The main window's handler chains as a user sets them off: one keystroke in a decimal field,
// a hex code entered, a pick in the palette, a ball trail tick.
#include <benchmark/benchmark.h>

#include "bench/started_varnel.h"

namespace {

void KeystrokeInADecimalField(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    int value = 0;
    for (auto _ : state) {
        app.ui.replace_text(app.main->Text1, std::to_string(value));
        value = (value + 1) % 256;
    }
}
BENCHMARK(KeystrokeInADecimalField);

void HexCodeEntered(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    const char* codes[] = {"#FF8000", "#0A00AB"};
    int which = 0;
    for (auto _ : state) {
        app.ui.replace_text(app.main->Text4, codes[which]);
        app.ui.press_enter(app.main->Text4);
        which ^= 1;
    }
}
BENCHMARK(HexCodeEntered);

void PaletteDrag(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    forms::PictureBox& spectrum = app.open_palette();
    int row = 0;
    for (auto _ : state) {
        app.ui.mouse_move(spectrum, forms::LeftButton, 70, row);
        row = (row + 1) % 256;
    }
}
BENCHMARK(PaletteDrag);

void BallTrailTick(benchmark::State& state) {
    varnel_bench::StartedVarnel app;
    app.ui.click(app.main->Check1);
    for (auto _ : state) app.ui.tick();
}
BENCHMARK(BallTrailTick);

}  // namespace
