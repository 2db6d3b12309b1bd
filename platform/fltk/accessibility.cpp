#include "platform/fltk/accessibility.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Input_.H>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/forms/accessible_events.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/forms/text_units.h"

namespace fltk {

namespace {

// Set to 1, it turns accessibility on whatever the desktop says.
constexpr const char* ForceVariable = "VARNEL_ACCESSIBILITY";

// The session bus's addresses: as the environment names them, or where a desktop session's
// bus stands by default.
std::string session_bus_address() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) return address;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        return std::string("unix:path=") + runtime + "/bus";
    }
    return {};
}

// The module stands in the library folder when the program is installed (at the same place
// relative to the program wherever it is installed): the architecture's when a package installed
// it, a folder of its own under a prefix's lib when the portable download's install.sh did. It
// stands beside the program in the build tree and in the unpacked download.
std::string module_path() {
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return {};
    const std::string_view path(program, static_cast<std::size_t>(length));
    const std::string folder(path.substr(0, path.rfind('/') + 1));
    for (const std::string& candidate :
         {folder + VARNEL_MODULE_FOLDER + "/" + VARNEL_MODULE,
          folder + "../lib/varnel/" + VARNEL_MODULE, folder + VARNEL_MODULE}) {
        if (access(candidate.c_str(), R_OK) == 0) return candidate;
    }
    return {};
}

// Loads the module and starts it; nothing, with a word on stderr, if it cannot be. The module
// is never unloaded: the GLib types it registers cannot be.
std::unique_ptr<atk_module::Module> load_module(atk_module::Host& host,
                                                const atk_module::Application& application) {
    const std::string path = module_path();
    if (path.empty()) {
        std::cerr << "varnel: accessibility: " << VARNEL_MODULE << " is missing\n";
        return nullptr;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto start =
        library != nullptr
            ? reinterpret_cast<atk_module::StartModule>(dlsym(library, atk_module::StartModuleName))
            : nullptr;
    if (start == nullptr) {
        std::cerr << "varnel: accessibility: " << dlerror() << '\n';
        return nullptr;
    }
    return std::unique_ptr<atk_module::Module>(start(host, application));
}

atk_module::ScreenRect rect_of(const Fl_Widget& widget) {
    const Fl_Window* window = widget.top_window();
    const bool is_window = window == &widget;
    return {(is_window ? 0 : window->x()) + widget.x(), (is_window ? 0 : window->y()) + widget.y(),
            widget.w(), widget.h()};
}

void woken(int, void*) {}
void woken_by_time(void*) {}

}  // namespace

Accessibility::Accessibility(const Windows& windows) : windows_(windows) {
    const char* forced = std::getenv(ForceVariable);
    if (forced != nullptr && std::string_view(forced) == "1") {
        wanted_ = true;
    } else {
        watch_status();
    }
}

Accessibility::~Accessibility() {
    if (status_bus_) Fl::remove_fd(status_bus_->fd());
    Fl::remove_timeout(run_presses, this);
    if (!module_) return;
    Fl::remove_check(round, this);
    Fl::remove_timeout(woken_by_time, this);
    for (const int fd : watched_fds_) Fl::remove_fd(fd);
    module_.reset();
}

// The session bus is asked whether the desktop's accessibility is on while the program starts;
// the answer comes back through the event loop, after the first window is on the screen.
void Accessibility::watch_status() {
    status_bus_ = accessibility_bus::BusConnection::open(
        accessibility_bus::unix_sockets(session_bus_address()), status_.opening());
    if (status_bus_) Fl::add_fd(status_bus_->fd(), FL_READ, status_arrived, this);
}

void Accessibility::status_arrived(int, void* self) {
    auto& accessibility = *static_cast<Accessibility*>(self);
    std::vector<accessibility_bus::Message> messages;
    bool open = accessibility.status_bus_->receive(messages);
    for (const accessibility_bus::Message& message : messages) {
        const std::string answer = accessibility.status_.read(message);
        if (!answer.empty()) open = open && accessibility.status_bus_->send(answer);
    }
    // Once on, accessibility stays on: the status has no more to say.
    if (accessibility.status_.enabled()) {
        accessibility.wanted_ = true;
        accessibility.start();
        open = false;
    }
    if (!open) {
        Fl::remove_fd(accessibility.status_bus_->fd());
        accessibility.status_bus_.reset();
    }
}

void Accessibility::start() {
    if (module_ || !wanted_ || windows_.empty()) return;
    const std::string version = std::to_string(FL_MAJOR_VERSION) + "." +
                                std::to_string(FL_MINOR_VERSION) + "." +
                                std::to_string(FL_PATCH_VERSION);
    module_ = load_module(*this, {windows_.begin()->first->runtime().title(), "FLTK", version});
    if (!module_) return;
    // The runtime tells the module every window now, and from then on what changed.
    runtime_->assistive_technology_asked();
    if (box_) module_->message_box(box_);
    Fl::add_check(round, this);
}

void Accessibility::form_loaded(forms::Form& form) {
    runtime_ = &form.runtime();
    start();
}

void Accessibility::update(const forms::AccessibleUpdate& update) {
    if (!module_) return;
    if (update.now != nullptr) {
        module_->window(*update.now, update.events);
    } else {
        module_->unloaded(update.form, update.events);
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

atk_module::ScreenRect Accessibility::extents(const forms::Form& form) const {
    const auto found = windows_.find(&form);
    return found != windows_.end() ? rect_of(*found->second) : atk_module::ScreenRect{};
}

atk_module::ScreenRect Accessibility::extents(const forms::Control& control) const {
    const auto found = windows_.find(&control.form());
    const Fl_Widget* widget = found != windows_.end() ? found->second->widget_of(control) : nullptr;
    return widget != nullptr ? rect_of(*widget) : atk_module::ScreenRect{};
}

atk_module::ScreenRect Accessibility::message_box_extents(bool button) const {
    const Fl_Widget* widget = button ? box_button_ : box_window_;
    return widget != nullptr ? rect_of(*widget) : atk_module::ScreenRect{};
}

int Accessibility::caret(const forms::Control& control) const {
    const auto found = windows_.find(&control.form());
    const auto* field = found != windows_.end()
                            ? dynamic_cast<const Fl_Input_*>(found->second->widget_of(control))
                            : nullptr;
    if (field == nullptr) return -1;
    const std::string_view before(field->value(), static_cast<std::size_t>(field->position()));
    return static_cast<int>(forms::character_count(before));
}

// An action asked for by assistive technology is answered at once and done after: done at once,
// a press that shows a message box would keep the answer waiting until the box is closed.
void Accessibility::press(const forms::Control& control) {
    presses_.push_back(control.id());
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
    atk_module::Focus focus;
    if (const Fl_Widget* widget = Fl::focus()) {
        const Fl_Window* window = widget->top_window();
        const auto* native = dynamic_cast<const NativeWindow*>(window);
        if (window == box_window_ && window != nullptr) {
            focus.in = atk_module::Focus::In::MessageBox;
            focus.on_button = widget == box_button_;
        } else if (native != nullptr && native->form() != nullptr) {
            focus.in = atk_module::Focus::In::Form;
            focus.form = native->form();
            focus.control = native->control_of(*widget);
        }
    }
    if (focus == focus_) return;
    focus_ = focus;
    module_->focus(focus);
}

// GLib's file descriptors wake the event loop, whose next round dispatches what they bring; so
// does its time. FLTK's check callbacks run before each wait of every loop, the message box's
// too, so the module keeps answering while a box waits.
void Accessibility::wait_for(const atk_module::Wait& wait) {
    for (const int fd : watched_fds_) Fl::remove_fd(fd);
    watched_fds_.clear();
    for (const atk_module::Wait::Fd& fd : wait.fds) {
        Fl::add_fd(fd.fd, (fd.read ? FL_READ : 0) | (fd.write ? FL_WRITE : 0), woken, this);
        watched_fds_.push_back(fd.fd);
    }
    Fl::remove_timeout(woken_by_time, this);
    if (wait.timeout_ms >= 0) Fl::add_timeout(wait.timeout_ms / 1000.0, woken_by_time, this);
}

}  // namespace fltk
