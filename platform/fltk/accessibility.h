#pragma once

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <map>
#include <optional>
#include <vector>

#include "platform/atk_module/accessibility_module.h"
#include "platform/fltk/atk_module_client.h"
#include "platform/fltk/bridge_link.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/native_window.h"
#include "platform/forms/accessible.h"
#include "platform/forms/backend.h"
#include "platform/forms/object_id.h"

namespace forms {
class Runtime;
}

namespace fltk {

// Tells assistive technology about the program once the desktop asks for it. The program starts
// without it; once the desktop's accessibility bus answers (BridgeLink), it loads the
// accessibility module and starts its bridge there. From then on it passes on what the runtime
// tells of each window, and what only the native side knows: where the focus is, where windows
// and controls stand, the caret, the message box.
class Accessibility final {
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

private:
    // Loads the module once a window of the program is on the screen: the bridge will need it.
    void want();
    static void load_module_once_shown(void* self);
    void load_module();
    // The bridge's start and stop, on the bus the link found answering.
    bool start_bridge(const std::string& address);
    void stop_bridge();
    // What the module asks of the program, as the module's interface passes it.
    varnel_a11y_host host();
    varnel_a11y_rect extents(const Fl_Widget* widget) const;
    const Fl_Widget* widget_of(forms::ObjectId id) const;
    int caret(forms::ObjectId control) const;
    void press(forms::ObjectId control);
    void press_message_box_button();
    // One round of the module's work, before the event loop waits: the focus, then GLib's.
    static void round(void* self);
    void report_focus();
    void wait_for(const AtkModuleClient::Wait& wait);
    static void run_presses(void* self);

    const Windows& windows_;
    forms::Runtime* runtime_ = nullptr;
    // Kept for the module, which calls back through it.
    varnel_a11y_host host_;
    std::optional<AtkModuleClient> module_;
    varnel_a11y_focus focus_{};
    std::optional<forms::AccessibleAlert> box_;
    const Fl_Window* box_window_ = nullptr;
    Fl_Widget* box_button_ = nullptr;
    std::vector<varnel_a11y_fd> watched_fds_;
    // Held by identity: a press that closes a window may come before another that was asked for
    // a control of it.
    std::vector<forms::ObjectId> presses_;
    bool press_box_button_ = false;
    // Last: it may start the bridge as soon as it is made.
    BridgeLink link_;
};

}  // namespace fltk
