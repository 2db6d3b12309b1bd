// The accessibility module's one exported function.
#include <memory>

#include "platform/fltk/atk/atk_module.h"

// The module is handed over as a plain pointer, the one thing a C function can return; the
// program owns it from then on.
extern "C" __attribute__((visibility("default"))) fltk::atk::Module* varnel_accessibility_start(
    fltk::atk::Host& host, const fltk::atk::Application& application) {
    auto module = std::make_unique<fltk::atk::AtkModule>(host, application);
    module->export_to_bridge();
    return module.release();
}
