#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"

// The accessibility module: the program's windows as ATK objects, exported to assistive
// technology with the AT-SPI bridge. It is a library of its own that the program loads only
// once the desktop asks for accessibility: linking GLib, ATK and the bridge into the program
// would cost every start a few milliseconds and a few MiB (see the README's start-up figures).
// The program and the module meet in this header alone: the module reads the model's
// descriptions and asks the program for what only the native side knows.

namespace atk_module {

// A rectangle on the screen, in device pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the keyboard focus is among the program's windows.
struct Focus {
    enum class In { Elsewhere, Form, MessageBox };
    In in = In::Elsewhere;
    const forms::Form* form = nullptr;        // In::Form
    const forms::Control* control = nullptr;  // In::Form: the focused control; null: the window
    bool on_button = false;                   // In::MessageBox: its button has the focus
    bool operator==(const Focus&) const = default;
};

// What GLib's main context waits for: file descriptors, and a time in milliseconds (-1: none).
struct Wait {
    struct Fd {
        int fd = -1;
        bool read = false;
        bool write = false;
    };
    std::vector<Fd> fds;
    int timeout_ms = -1;
};

// What the module asks of the program: facts of the native windows, and presses.
class Host {
public:
    // Where a window's client area, a control, or the message box and its button stand now.
    virtual ScreenRect extents(const forms::Form& form) const = 0;
    virtual ScreenRect extents(const forms::Control& control) const = 0;
    virtual ScreenRect message_box_extents(bool button) const = 0;
    // Where a field's caret stands, in characters.
    virtual int caret(const forms::Control& control) const = 0;
    // The accessible action of a button or check box, and of the message box's button: the
    // user's click, once the call that asks for it has been answered.
    virtual void press(const forms::Control& control) = 0;
    virtual void press_message_box_button() = 0;

protected:
    ~Host() = default;
};

// The module, as the program drives it.
class Module {
public:
    virtual ~Module() = default;

    // A form's window as it reads now, and the events that tell how it came to (none the first
    // time the module hears of the form).
    virtual void window(const forms::AccessibleWindow& now,
                        const std::vector<forms::AccessibleEvent>& events) = 0;
    // The form has been unloaded; the events tell of its going.
    virtual void unloaded(const forms::Form& form,
                          const std::vector<forms::AccessibleEvent>& events) = 0;
    // The message box appeared (with what it reads), or closed (nothing).
    virtual void message_box(const std::optional<forms::AccessibleAlert>& box) = 0;
    virtual void focus(const Focus& focus) = 0;
    // Runs what GLib's main context has ready (the bridge's D-Bus traffic); says what to wait
    // for before calling again.
    virtual Wait dispatch() = 0;
};

// What the program tells assistive technology of itself.
struct Application {
    std::string name;
    std::string toolkit;
    std::string toolkit_version;
};

// The module's one exported function, looked up by this name: it starts the bridge and returns
// the module, which the program deletes at its end.
using StartModule = Module* (*)(Host& host, const Application& application);
constexpr const char* StartModuleName = "varnel_accessibility_start";

}  // namespace atk_module
