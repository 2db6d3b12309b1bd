#include "platform/forms/control.h"

#include <utility>

#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/forms/visit.h"

namespace forms {

Control::Control(Form& form, ControlKind kind, std::string name, Bounds bounds, int tab_index)
    : form_(form),
      id_(form.runtime().issue_id()),
      kind_(kind),
      name_(std::move(name)),
      bounds_(bounds),
      tab_index_(tab_index) {
    form.add(*this);
}

bool Control::takes_focus() const {
    return visit(*this, [](const auto& control) { return control.TakesFocus; });
}

Runtime& Control::runtime() const { return form_.runtime(); }

void Control::mark_dirty() {
    dirty_ = true;
    runtime().mark_dirty(*this);
}

}  // namespace forms
