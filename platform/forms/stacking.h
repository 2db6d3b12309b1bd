#pragma once

#include <vector>

namespace forms {

class Control;
class Form;

// Where a form's controls lie on screen and in which order the Tab key visits them: one rule for
// every back end, whatever order its native controls would otherwise follow.
struct Stacking {
    // Labels and images, which lie beneath every other control where they overlap.
    std::vector<Control*> beneath;
    // Everything else, which controls that overlap none of each other.
    std::vector<Control*> above;
};

// The form's controls in TabIndex order, controls without one (-1) last in declaration order.
std::vector<Control*> tab_order(const Form& form);

// Each group in TabIndex order, controls without one (-1) last in declaration order; the Tab key
// visits the controls of `above` that take the focus, in this order.
Stacking stacking(const Form& form);

}  // namespace forms
