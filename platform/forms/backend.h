#pragma once

#include <string>
#include <vector>

#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/colour.h"

namespace forms {

class Control;
class Form;

// What assistive technology reads of one window, told once an event is over and only when it
// changed: how it read when last told (null: never, the window is new to assistive technology),
// how it reads now (null: the window is gone), and the events that tell the difference (none the
// first time).
struct AccessibleUpdate {
    const Form& form;
    const AccessibleWindow* before;
    const AccessibleWindow* now;
    std::vector<AccessibleEvent> events;
};

// Written, or not: another program holds the clipboard, or the system refused the text.
enum class ClipboardResult { Written, Failed };

// What a native back end does for the runtime. It mirrors the model and decides nothing: all
// program state lives in the runtime, and user input comes back through the controls' and
// forms' entry points (the methods whose names start with "user_").
class Backend {
public:
    virtual ~Backend() = default;

    // A form has been built from its design (hidden): create its native window and controls,
    // then report the window's outer geometry with Form::user_moved.
    virtual void form_loaded(Form& form) = 0;
    // The form is being destroyed: destroy its native window.
    virtual void form_unloaded(Form& form) = 0;
    // Push the form's own changed state (caption, position, visibility) to its native window.
    virtual void update(Form& form) = 0;
    // Push one changed control to its native peer.
    virtual void update(Control& control) = 0;
    // Make the form's native window the active one; called when the program shows a form.
    virtual void activate(Form& form) = 0;
    // Once assistive technology has asked for the windows (Runtime::assistive_technology_asked),
    // what it reads of a window changed: after an event, once all its updates were pushed, and
    // before a message box appears.
    virtual void accessible_update(const AccessibleUpdate& update) = 0;

    // Modal message box; returns the pressed button's number (1 for OK). Until it is answered,
    // the windows it holds refuse the user's input as the system shows a window that takes none
    // (a disabled one): no click, key or close request reaches them, and the box keeps the focus.
    virtual int message_box(const std::string& text, int style, const std::string& title,
                            const std::vector<Form*>& held) = 0;
    // Puts the text on the clipboard as plain text, as its only content: whatever it held before,
    // in any format, is gone. Any failure is reported as one: the runtime retries, then tells
    // the user.
    virtual ClipboardResult set_clipboard_text(const std::string& text) = 0;

    virtual ColourValue resolve(SystemColour colour) = 0;
    // No form is loaded any more: leave the event loop.
    virtual void quit() = 0;
};

}  // namespace forms
