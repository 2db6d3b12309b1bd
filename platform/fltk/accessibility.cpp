#include "platform/fltk/accessibility.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Input_.H>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "platform/atk_module/description_layout.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/forms/text_units.h"

namespace fltk {

namespace {

void woken(int, void*) {}
void woken_by_time(void*) {}

bool same_fd(const varnel_a11y_fd& a, const varnel_a11y_fd& b) {
    return a.fd == b.fd && a.read == b.read && a.write == b.write;
}

bool same_focus(const varnel_a11y_focus& a, const varnel_a11y_focus& b) {
    return a.in == b.in && a.window == b.window && a.control == b.control &&
           a.on_button == b.on_button;
}

Accessibility& of(void* context) { return *static_cast<Accessibility*>(context); }

}  // namespace

Accessibility::Accessibility(const Windows& windows)
    : windows_(windows),
      host_(host()),
      link_({[this] { want(); },
             [this](const std::string& address) { return start_bridge(address); },
             [this] { stop_bridge(); }}) {}

Accessibility::~Accessibility() {
    Fl::remove_check(load_module_once_shown, this);
    Fl::remove_timeout(run_presses, this);
    if (!module_) return;
    Fl::remove_check(round, this);
    Fl::remove_timeout(woken_by_time, this);
    for (const varnel_a11y_fd& fd : watched_fds_) Fl::remove_fd(fd.fd);
}

void Accessibility::form_loaded(forms::Form& form) { runtime_ = &form.runtime(); }

// Wanted as the program starts (VARNEL_ACCESSIBILITY=1), the module waits until the first window
// is on the screen: its libraries take as long to load as the rest of the start.
void Accessibility::want() { Fl::add_check(load_module_once_shown, this); }

void Accessibility::load_module_once_shown(void* self) {
    auto& accessibility = *static_cast<Accessibility*>(self);
    const bool on_screen = std::ranges::any_of(
        accessibility.windows_, [](const auto& entry) { return entry.second->drawn(); });
    if (!on_screen) return;
    Fl::remove_check(load_module_once_shown, self);
    accessibility.load_module();
}

void Accessibility::load_module() {
    if (module_ || runtime_ == nullptr) return;
    const std::string version = std::to_string(FL_MAJOR_VERSION) + "." +
                                std::to_string(FL_MINOR_VERSION) + "." +
                                std::to_string(FL_PATCH_VERSION);
    module_ = AtkModuleClient::load(host_, {runtime_->title(), "FLTK", version});
    if (module_) Fl::add_check(round, this);
}

bool Accessibility::start_bridge(const std::string& address) {
    load_module();
    if (!module_ || !module_->export_to_bridge(address)) return false;
    // The module knows no window yet (a bridge started anew starts from nothing): the runtime
    // tells it every window now, and from then on what changed; the box and the focus follow.
    runtime_->assistive_technology_asked();
    if (box_) module_->message_box(box_);
    focus_ = {};
    report_focus();
    return true;
}

void Accessibility::stop_bridge() {
    if (module_) module_->withdraw_from_bridge();
}

void Accessibility::update(const forms::AccessibleUpdate& update) {
    if (!module_) return;
    if (update.now != nullptr) {
        module_->window(*update.now, update.events);
    } else {
        module_->unloaded(update.form.id(), update.events);
    }
}

void Accessibility::message_box_shown(const forms::AccessibleAlert& box,
                                      const MessageBoxShown& shown) {
    box_ = box;
    box_window_ = &shown.window;
    box_button_ = &shown.button;
    if (module_) module_->message_box(box_);
}

void Accessibility::message_box_closed() {
    box_.reset();
    box_window_ = nullptr;
    box_button_ = nullptr;
    press_box_button_ = false;
    if (module_) module_->message_box(std::nullopt);
}

varnel_a11y_host Accessibility::host() {
    varnel_a11y_host host{};
    host.context = this;
    host.window_extents = [](void* context, varnel_a11y_id window) {
        const Accessibility& self = of(context);
        const forms::Form* form = self.runtime_ != nullptr
                                      ? self.runtime_->find_form(atk_module::object_of(window))
                                      : nullptr;
        const auto found = form != nullptr ? self.windows_.find(form) : self.windows_.end();
        return self.extents(found != self.windows_.end() ? found->second.get() : nullptr);
    };
    host.control_extents = [](void* context, varnel_a11y_id control) {
        const Accessibility& self = of(context);
        return self.extents(self.widget_of(atk_module::object_of(control)));
    };
    host.message_box_extents = [](void* context, int32_t button) {
        const Accessibility& self = of(context);
        return self.extents(button != 0 ? self.box_button_ : self.box_window_);
    };
    host.caret = [](void* context, varnel_a11y_id control) {
        return static_cast<int32_t>(of(context).caret(atk_module::object_of(control)));
    };
    host.press = [](void* context, varnel_a11y_id control) {
        of(context).press(atk_module::object_of(control));
    };
    host.press_message_box_button = [](void* context) { of(context).press_message_box_button(); };
    return host;
}

varnel_a11y_rect Accessibility::extents(const Fl_Widget* widget) const {
    if (widget == nullptr) return {};
    const Fl_Window* window = widget->top_window();
    const bool is_window = window == widget;
    return {(is_window ? 0 : window->x()) + widget->x(),
            (is_window ? 0 : window->y()) + widget->y(), widget->w(), widget->h()};
}

const Fl_Widget* Accessibility::widget_of(forms::ObjectId id) const {
    const forms::Control* control = runtime_ != nullptr ? runtime_->find_control(id) : nullptr;
    if (control == nullptr) return nullptr;
    const auto found = windows_.find(&control->form());
    return found != windows_.end() ? found->second->widget_of(*control) : nullptr;
}

int Accessibility::caret(forms::ObjectId control) const {
    const auto* field = dynamic_cast<const Fl_Input_*>(widget_of(control));
    if (field == nullptr) return -1;
    const std::string_view before(field->value(), static_cast<std::size_t>(field->position()));
    return static_cast<int>(forms::character_count(before));
}

// An action asked for by assistive technology is answered at once and done after: done at once,
// a press that shows a message box would keep the answer waiting until the box is closed.
void Accessibility::press(forms::ObjectId control) {
    presses_.push_back(control);
    Fl::add_timeout(0, run_presses, this);
}

void Accessibility::press_message_box_button() {
    press_box_button_ = true;
    Fl::add_timeout(0, run_presses, this);
}

void Accessibility::run_presses(void* self) {
    auto& accessibility = *static_cast<Accessibility*>(self);
    if (std::exchange(accessibility.press_box_button_, false) && accessibility.box_button_) {
        accessibility.box_button_->do_callback();
    }
    const std::vector<forms::ObjectId> presses = std::exchange(accessibility.presses_, {});
    for (const forms::ObjectId pressed : presses) forms::press(*accessibility.runtime_, pressed);
}

void Accessibility::round(void* self) {
    auto& accessibility = *static_cast<Accessibility*>(self);
    accessibility.report_focus();
    accessibility.wait_for(accessibility.module_->dispatch());
}

// The focus as FLTK holds it: the widget with the keyboard focus (none while another program
// has it), in one of the program's windows or the message box.
void Accessibility::report_focus() {
    varnel_a11y_focus focus{};
    if (const Fl_Widget* widget = Fl::focus()) {
        const Fl_Window* window = widget->top_window();
        const auto* native = dynamic_cast<const NativeWindow*>(window);
        if (window == box_window_ && window != nullptr) {
            focus.in = VARNEL_A11Y_FOCUS_IN_MESSAGE_BOX;
            focus.on_button = widget == box_button_ ? 1 : 0;
        } else if (native != nullptr && native->form() != nullptr) {
            focus.in = VARNEL_A11Y_FOCUS_IN_WINDOW;
            focus.window = atk_module::id_of(native->form()->id());
            const forms::Control* control = native->control_of(*widget);
            if (control != nullptr) focus.control = atk_module::id_of(control->id());
        }
    }
    if (same_focus(focus, focus_)) return;
    focus_ = focus;
    module_->focus(focus);
}

// GLib's file descriptors wake the event loop, whose next round dispatches what they bring; so
// does its time. FLTK's check callbacks run before each wait of every loop, the message box's
// too, so the module keeps answering while a box waits. The descriptors change seldom: they are
// handed to FLTK again only when they do.
void Accessibility::wait_for(const AtkModuleClient::Wait& wait) {
    if (!std::ranges::equal(wait.fds, watched_fds_, same_fd)) {
        for (const varnel_a11y_fd& fd : watched_fds_) Fl::remove_fd(fd.fd);
        for (const varnel_a11y_fd& fd : wait.fds) {
            Fl::add_fd(fd.fd, (fd.read != 0 ? FL_READ : 0) | (fd.write != 0 ? FL_WRITE : 0), woken,
                       this);
        }
        watched_fds_ = wait.fds;
    }
    Fl::remove_timeout(woken_by_time, this);
    if (wait.timeout_ms >= 0) Fl::add_timeout(wait.timeout_ms / 1000.0, woken_by_time, this);
}

}  // namespace fltk
