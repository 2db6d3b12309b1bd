#pragma once

#include <string>
#include <vector>

#include "platform/forms/object_id.h"

// What the module knows of the program it serves, in the module's own terms: the interface's
// plain structures are read into these at the module's door (module_entry.cpp).

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
    enum class In { Elsewhere, Window, MessageBox };
    In in = In::Elsewhere;
    forms::ObjectId window = forms::NoObject;   // In::Window
    forms::ObjectId control = forms::NoObject;  // In::Window: none, the window itself
    bool on_button = false;                     // In::MessageBox: its button has it
    bool operator==(const Focus&) const = default;
};

// What GLib's main context waits for: file descriptors, and a time in milliseconds (-1: none).
struct Wait {
    struct Fd {
        int fd = -1;
        bool read = false;
        bool write = false;
        bool operator==(const Fd&) const = default;
    };
    std::vector<Fd> fds;
    int timeout_ms = -1;
};

// What the program tells assistive technology of itself.
struct Application {
    std::string name;
    std::string toolkit;
    std::string toolkit_version;
};

// What the module asks of the program: facts of the native windows, and presses.
class Host {
public:
    // Where a window's client area, a control, or the message box and its button stand now.
    virtual ScreenRect window_extents(forms::ObjectId window) const = 0;
    virtual ScreenRect control_extents(forms::ObjectId control) const = 0;
    virtual ScreenRect message_box_extents(bool button) const = 0;
    // Where a field's caret stands, in characters; -1: nowhere.
    virtual int caret(forms::ObjectId control) const = 0;
    // The accessible action of a button or check box, and of the message box's button: the
    // user's click, once the call that asks for it has been answered.
    virtual void press(forms::ObjectId control) = 0;
    virtual void press_message_box_button() = 0;

protected:
    ~Host() = default;
};

}  // namespace atk_module
