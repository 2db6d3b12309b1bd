// The module's door: the functions of its plain C interface, each reading the program's
// structures into the module's terms and calling the module. Nothing thrown leaves the module:
// the program on the other side has a runtime of its own and could not catch it.
#include <memory>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

#include "platform/atk_module/accessibility_module.h"
#include "platform/atk_module/atk_module.h"
#include "platform/atk_module/description_layout.h"

struct varnel_a11y_module {
    // The program's functions, as the module's Host.
    class ProgramHost final : public atk_module::Host {
    public:
        explicit ProgramHost(const varnel_a11y_host& host) : host_(host) {}
        atk_module::ScreenRect window_extents(forms::ObjectId window) const override {
            return read(host_.window_extents(host_.context, atk_module::id_of(window)));
        }
        atk_module::ScreenRect control_extents(forms::ObjectId control) const override {
            return read(host_.control_extents(host_.context, atk_module::id_of(control)));
        }
        atk_module::ScreenRect message_box_extents(bool button) const override {
            return read(host_.message_box_extents(host_.context, button ? 1 : 0));
        }
        int caret(forms::ObjectId control) const override {
            return host_.caret(host_.context, atk_module::id_of(control));
        }
        void press(forms::ObjectId control) override {
            host_.press(host_.context, atk_module::id_of(control));
        }
        void press_message_box_button() override { host_.press_message_box_button(host_.context); }

    private:
        static atk_module::ScreenRect read(varnel_a11y_rect rect) {
            return {rect.x, rect.y, rect.width, rect.height};
        }
        varnel_a11y_host host_;
    };

    varnel_a11y_module(const varnel_a11y_host& program, const atk_module::Application& application)
        : host(program), module(host, application) {}

    ProgramHost host;
    atk_module::AtkModule module;
    atk_module::Wait wait;
};

namespace {

// Runs f; if it throws, gives nothing back (there is nothing better to do: the program runs on,
// and assistive technology reads what the module could tell).
template <class F>
std::invoke_result_t<F> guarded(F&& f) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        if constexpr (!std::is_void_v<std::invoke_result_t<F>>) return {};
    }
}

atk_module::Focus read_focus(const varnel_a11y_focus& focus) {
    atk_module::Focus read;
    switch (focus.in) {
        case VARNEL_A11Y_FOCUS_IN_WINDOW:
            read.in = atk_module::Focus::In::Window;
            read.window = atk_module::object_of(focus.window);
            read.control = atk_module::object_of(focus.control);
            break;
        case VARNEL_A11Y_FOCUS_IN_MESSAGE_BOX:
            read.in = atk_module::Focus::In::MessageBox;
            read.on_button = focus.on_button != 0;
            break;
        default:
            break;
    }
    return read;
}

varnel_a11y_module* create(const varnel_a11y_host* host, varnel_a11y_text name,
                           varnel_a11y_text toolkit, varnel_a11y_text toolkit_version) {
    return guarded([&]() -> varnel_a11y_module* {
        const atk_module::Application application{atk_module::read_text(name),
                                                  atk_module::read_text(toolkit),
                                                  atk_module::read_text(toolkit_version)};
        return std::make_unique<varnel_a11y_module>(*host, application).release();
    });
}

int32_t export_to_bridge(varnel_a11y_module* module, const char* bus_address) {
    return guarded([&] { return module->module.export_to_bridge(bus_address) ? 1 : 0; });
}

void withdraw_from_bridge(varnel_a11y_module* module) {
    guarded([&] { module->module.withdraw_from_bridge(); });
}

void window(varnel_a11y_module* module, const varnel_a11y_window* now,
            const varnel_a11y_event* events, size_t event_count) {
    guarded([&] {
        module->module.window(atk_module::read_window(*now),
                              atk_module::read_events(events, event_count));
    });
}

void unloaded(varnel_a11y_module* module, varnel_a11y_id window, const varnel_a11y_event* events,
              size_t event_count) {
    guarded([&] {
        module->module.unloaded(atk_module::object_of(window),
                                atk_module::read_events(events, event_count));
    });
}

void message_box(varnel_a11y_module* module, const varnel_a11y_alert* box) {
    guarded([&] {
        module->module.message_box(box != nullptr ? std::optional(atk_module::read_alert(*box))
                                                  : std::nullopt);
    });
}

void focus(varnel_a11y_module* module, const varnel_a11y_focus* focus) {
    guarded([&] { module->module.focus(read_focus(*focus)); });
}

size_t dispatch(varnel_a11y_module* module, int32_t* timeout_ms) {
    *timeout_ms = -1;
    return guarded([&] {
        module->wait = module->module.dispatch();
        *timeout_ms = module->wait.timeout_ms;
        return module->wait.fds.size();
    });
}

void wait_fds(varnel_a11y_module* module, varnel_a11y_fd* fds, size_t count) {
    guarded([&] {
        for (size_t i = 0; i < count && i < module->wait.fds.size(); ++i) {
            const atk_module::Wait::Fd& fd = module->wait.fds[i];
            fds[i] = {fd.fd, fd.read ? 1 : 0, fd.write ? 1 : 0};
        }
    });
}

void destroy(varnel_a11y_module* module) {
    guarded([&] { std::unique_ptr<varnel_a11y_module>{module}.reset(); });
}

constexpr varnel_a11y_functions Functions{
    VARNEL_A11Y_VERSION,
    create,
    export_to_bridge,
    withdraw_from_bridge,
    window,
    unloaded,
    message_box,
    focus,
    dispatch,
    wait_fds,
    destroy,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const varnel_a11y_functions*
varnel_accessibility_module() {
    return &Functions;
}
