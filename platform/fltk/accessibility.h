#pragma once

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/accessibility_bus/accessibility_status.h"
#include "platform/accessibility_bus/bus_connection.h"
#include "platform/atk_module/accessibility_module.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/native_window.h"
#include "platform/forms/accessible.h"
#include "platform/forms/backend.h"
#include "platform/forms/object_id.h"

namespace fltk {

// Tells assistive technology about the program once the desktop asks for it. The program starts
// without it: it asks the session bus whether the desktop's accessibility is on (or
// VARNEL_ACCESSIBILITY=1 says it is) and, once it is, loads the accessibility module. From then
// on it reports to the module each window's description and the events between two of them,
// once per event, and what only the native side knows: where the focus is, where windows and
// controls stand, the caret, the message box.
class Accessibility final : public atk_module::Host {
public:
    using Windows = std::map<const forms::Form*, NativeWindowPtr>;

    // windows: the back end's, by form.
    explicit Accessibility(const Windows& windows);
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;
    ~Accessibility();

    void form_loaded(forms::Form& form);
    // What assistive technology reads of a window changed (the runtime tells it).
    void update(const forms::AccessibleUpdate& update);
    void message_box_shown(const forms::AccessibleAlert& box, const MessageBoxShown& shown);
    void message_box_closed();

    // atk_module::Host
    atk_module::ScreenRect extents(const forms::Form& form) const override;
    atk_module::ScreenRect extents(const forms::Control& control) const override;
    atk_module::ScreenRect message_box_extents(bool button) const override;
    int caret(const forms::Control& control) const override;
    void press(const forms::Control& control) override;
    void press_message_box_button() override;

private:
    void watch_status();
    static void status_arrived(int fd, void* self);
    void start();
    // One round of the module's work, before the event loop waits: the focus, then GLib's.
    static void round(void* self);
    void report_focus();
    void wait_for(const atk_module::Wait& wait);
    static void run_presses(void* self);

    const Windows& windows_;
    bool wanted_ = false;
    accessibility_bus::AccessibilityStatus status_;
    std::optional<accessibility_bus::BusConnection> status_bus_;
    std::unique_ptr<atk_module::Module> module_;
    forms::Runtime* runtime_ = nullptr;
    atk_module::Focus focus_;
    std::optional<forms::AccessibleAlert> box_;
    const Fl_Window* box_window_ = nullptr;
    Fl_Widget* box_button_ = nullptr;
    std::vector<int> watched_fds_;
    // Held by identity: a press that closes a window may go before another that was asked for
    // a control of it.
    std::vector<forms::ObjectId> presses_;
    bool press_box_button_ = false;
};

}  // namespace fltk
