#pragma once

#include <memory>

#include "app/form_varnel.h"
#include "platform/forms/backend.h"
#include "platform/forms/clock.h"
#include "platform/forms/random.h"
#include "platform/forms/runtime.h"
#include "platform/forms/window_ref.h"

namespace varnel {

class About;
class myPalette;

// Varnel: the forms runtime and the global references of its three windows, each reference
// bearing its window's name. The windows reach one another through it; what reaches into a
// window's own controls includes that window's header.
class Program {
public:
    explicit Program(
        forms::Backend& backend,
        std::unique_ptr<forms::RandomSource> random = std::make_unique<forms::ClassicRandom>(),
        std::unique_ptr<forms::Clock> clock = std::make_unique<forms::SystemClock>());

    // Loads the start window, shows it and lets it activate; the back end's event loop runs
    // the rest.
    void start();

    forms::Runtime runtime;
    forms::WindowRef<varnel::Form_Varnel> Form_Varnel;
    forms::WindowRef<varnel::About> About;
    forms::WindowRef<varnel::myPalette> myPalette;
};

}  // namespace varnel
