#pragma once

#include "app/program.h"
#include "palette/my_palette.h"
#include "platform/headless/headless_backend.h"

namespace varnel_bench {

// Varnel started on the headless back end, its main window shown and active.
struct StartedVarnel {
    headless::HeadlessBackend ui;
    varnel::Program program{ui};
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
