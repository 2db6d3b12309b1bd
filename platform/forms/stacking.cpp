#include "platform/forms/stacking.h"

#include <algorithm>
#include <functional>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/visit.h"

namespace forms {

namespace {

bool lies_beneath(const Control& control) {
    return control_cast<Label>(control) != nullptr || control_cast<Image>(control) != nullptr;
}

}  // namespace

std::vector<Control*> tab_order(const Form& form) {
    std::vector<Control*> order = form.controls();
    // As unsigned, -1 sorts after every TabIndex.
    std::ranges::stable_sort(order, {}, [](const Control* control) {
        return static_cast<unsigned>(control->TabIndex());
    });
    return order;
}

Stacking stacking(const Form& form) {
    Stacking result;
    for (Control* control : tab_order(form)) {
        (lies_beneath(*control) ? result.beneath : result.above).push_back(control);
    }
    return result;
}

}  // namespace forms
