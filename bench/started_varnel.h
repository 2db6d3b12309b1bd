#pragma once

#include <memory>

#include "app/program.h"
#include "palette/my_palette.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/instant_clock.h"

namespace varnel_bench {

// Varnel started on the headless back end, its main window shown and active.
struct StartedVarnel {
    headless::HeadlessBackend ui;
    // Time passes only when the program waits: a timer's tick costs no real wait.
    varnel::Program program{ui, std::make_unique<forms::ClassicRandom>(),
                            std::make_unique<headless::InstantClock>()};
    varnel::Form_Varnel* main = nullptr;

    StartedVarnel() {
        program.start();
        main = program.Form_Varnel.loaded();
    }

    // Opens the palette window and returns its spectrum, painted.
    forms::PictureBox& open_palette() {
        ui.click(main->Palette);
        return program.myPalette.loaded()->Picture2;
    }
};

}  // namespace varnel_bench
