#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/atk_module/accessibility_module.h"
#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/object_id.h"

namespace fltk {

// The program's side of the accessibility module's plain C interface: the library loaded (once,
// and never unloaded: the GLib types it registers cannot be), the module it made, and the model's
// descriptions laid out in the interface's structures on their way in.
class AtkModuleClient {
public:
    // What GLib's main context, run by the module, waits for before its next round.
    struct Wait {
        std::vector<varnel_a11y_fd> fds;
        int timeout_ms = -1;
    };

    // What the program tells assistive technology of itself.
    struct Application {
        std::string name;
        std::string toolkit;
        std::string toolkit_version;
    };

    // Loads the module and makes its objects; nothing, with a word on stderr, if it cannot be.
    // The host is kept for the module's life.
    static std::optional<AtkModuleClient> load(const varnel_a11y_host& host,
                                               const Application& application);
    // Makes the objects of a module whose functions are these.
    static std::optional<AtkModuleClient> make(const varnel_a11y_functions& functions,
                                               const varnel_a11y_host& host,
                                               const Application& application);

    bool export_to_bridge(const std::string& bus_address);
    void withdraw_from_bridge();
    void window(const forms::AccessibleWindow& now,
                const std::vector<forms::AccessibleEvent>& events);
    void unloaded(forms::ObjectId window, const std::vector<forms::AccessibleEvent>& events);
    void message_box(const std::optional<forms::AccessibleAlert>& box);
    void focus(const varnel_a11y_focus& focus);
    // Runs what the module's main context has ready; says what to wait for.
    Wait dispatch();

private:
    struct Destroy {
        const varnel_a11y_functions* functions;
        void operator()(varnel_a11y_module* module) const { functions->destroy(module); }
    };

    AtkModuleClient(const varnel_a11y_functions& functions, varnel_a11y_module* module)
        : functions_(&functions), module_(module, Destroy{&functions}) {}

    const varnel_a11y_functions* functions_;
    std::unique_ptr<varnel_a11y_module, Destroy> module_;
};

}  // namespace fltk
