#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/object_id.h"

namespace forms {

class Control;
class Form;
class Runtime;

// What assistive technology is told a window or control is. Back ends map each role to their
// platform's own (an MSAA role, an ATK role).
enum class AccessibleRole {
    Window,
    Alert,  // a message box
    StaticText,
    EditableText,
    ScrollBar,
    CheckBox,
    PushButton,
    Graphic,
};

enum class CheckState { Unchecked, Checked, Mixed };

// A scroll bar's value and the ends of its range.
struct AccessibleRange {
    int value = 0;
    int min = 0;
    int max = 0;
    bool operator==(const AccessibleRange&) const = default;
};

// One control as a screen reader reads it. Controls are named by their identities, so that a
// description is a value that may be kept, compared and sent elsewhere (to the accessibility
// module) whatever becomes of its controls.
struct Accessible {
    ObjectId control = NoObject;
    AccessibleRole role = AccessibleRole::StaticText;
    std::string name;
    // A field's text, or the text a label shows; lines are separated by "\n".
    std::string text;
    std::optional<AccessibleRange> range;  // scroll bars
    std::optional<CheckState> check;       // check boxes
    bool focusable = false;                // a stop of the Tab key
    bool pressable = false;                // has the default action "press" (see press)
    ObjectId labelled_by = NoObject;       // the label that names it
    std::vector<ObjectId> label_for;       // a label: the controls it names

    bool operator==(const Accessible&) const = default;
};

// A window with the controls a screen reader is told of, in TabIndex order. Controls that only
// decorate (an empty panel, a timer, an image without a name, a letter of a word set apart in
// several labels) are not among them: nothing in them is for the ear.
struct AccessibleWindow {
    ObjectId form = NoObject;
    std::string name;
    bool shown = false;
    std::vector<Accessible> controls;

    // The entry of this control, or null if it is not told of.
    const Accessible* find(ObjectId control) const;
    const Accessible* find(const Control& control) const;
    bool operator==(const AccessibleWindow&) const = default;
};

// The window as the program's design and its current state make it. Names come from the design:
// a window's caption; a button's or check box's caption; for a field or scroll bar, the label
// that stands nearest directly above it or on its left; for a picture, the name its design
// gives it. Labels set in one display font of their own that stand on one line read as the one
// word they spell, named on the first of them.
AccessibleWindow describe(const Form& form);

// A message box as a screen reader announces it: an alert named by its title, with its text and
// the button that has the focus.
struct AccessibleAlert {
    std::string name;
    std::string text;
    std::string focused_button;
    bool operator==(const AccessibleAlert&) const = default;
};
// The program's message boxes have one button, OK.
AccessibleAlert describe_message_box(const std::string& text, const std::string& title);

// The accessible default action of a pressable control (a button, a check box): the same click
// as the user's, through the same entry point. Returns false for a control that has none.
bool press(Control& control);
// The same for the control that bears this identity, if its window is still loaded. Presses that
// assistive technology asked for are done after its call was answered, perhaps several in a row:
// a press whose control an earlier one took away (closing its window) is dropped. Returns false
// then.
bool press(const Runtime& runtime, ObjectId control);

}  // namespace forms
