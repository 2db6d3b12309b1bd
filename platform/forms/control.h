#pragma once

#include <string>
#include <utility>

#include "platform/forms/geometry.h"
#include "platform/forms/object_id.h"

namespace forms {

class Form;
class Runtime;

enum class ControlKind {
    Label,
    TextBox,
    VScrollBar,
    CheckBox,
    CommandButton,
    PictureBox,
    Image,
    Timer
};

// What every control has: a name, a place on its form, a tab index, and the dirty mark through
// which native updates are batched. Controls are members of their form and live exactly as long
// as the loaded form, so they are neither copied nor moved.
class Control {
public:
    Control(Form& form, ControlKind kind, std::string name, Bounds bounds, int tab_index);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ObjectId id() const { return id_; }
    ControlKind kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    const Bounds& bounds() const { return bounds_; }
    int TabIndex() const { return tab_index_; }

    // Whether the control can hold the keyboard focus and is a stop of the Tab key: text boxes,
    // scroll bars, check boxes and buttons.
    bool takes_focus() const;

    Form& form() const { return form_; }

    // The name a screen reader gives a control that nothing else names (a picture): part of the
    // window's design, set before the window is first shown. Empty: the name is derived.
    const std::string& AccessibleName() const { return accessible_name_; }
    void AccessibleName(std::string name) { accessible_name_ = std::move(name); }

    // Native updates: set by every property change, cleared when the back end has been told.
    bool dirty() const { return dirty_; }
    void clear_dirty() { dirty_ = false; }

protected:
    Runtime& runtime() const;
    // Marks the control for the next native update.
    void changed() {
        if (!dirty_) mark_dirty();
    }

private:
    void mark_dirty();

    Form& form_;
    ObjectId id_;
    ControlKind kind_;
    std::string name_;
    Bounds bounds_;
    int tab_index_;
    std::string accessible_name_;
    bool dirty_ = false;
};

}  // namespace forms
