#include "platform/forms/control.h"

#include <utility>

#include "platform/forms/form.h"
#include "platform/forms/runtime.h"

namespace forms {

Control::Control(Form& form, ControlKind kind, std::string name, Bounds bounds, int tab_index)
    : form_(form), kind_(kind), name_(std::move(name)), bounds_(bounds), tab_index_(tab_index) {
    form.add(*this);
}

bool Control::takes_focus() const {
    switch (kind_) {
        case ControlKind::Label:
        case ControlKind::Image:
        case ControlKind::Timer:
        // A picture box only shows: the keyboard has nothing to do there, so Tab passes it by.
        case ControlKind::PictureBox:
            return false;
        default:
            return true;
    }
}

Runtime& Control::runtime() const { return form_.runtime(); }

void Control::mark_dirty() {
    dirty_ = true;
    runtime().mark_dirty(*this);
}

}  // namespace forms
