// The accessibility module's one exported function.
#include <memory>

#include "platform/atk_module/atk_module.h"

// The module is handed over as a plain pointer, the one thing a C function can return; the
// program owns it from then on.
extern "C" __attribute__((visibility("default"))) atk_module::Module* varnel_accessibility_start(
    atk_module::Host& host, const atk_module::Application& application) {
    auto module = std::make_unique<atk_module::AtkModule>(host, application);
    module->export_to_bridge();
    return module.release();
}
