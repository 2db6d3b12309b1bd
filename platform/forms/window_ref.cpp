#include "platform/forms/window_ref.h"

#include <vector>

#include "platform/forms/errors.h"
#include "platform/forms/runtime.h"

namespace forms {

WindowSlot::WindowSlot(Runtime& runtime) : runtime_(runtime) { runtime_.slots_.push_back(this); }

WindowSlot::~WindowSlot() { std::erase(runtime_.slots_, this); }

Form& WindowSlot::load() {
    if (form_) return *form_;
    if (runtime_.ended()) throw ProgramEnded{};
    Runtime::Scope scope(runtime_);
    form_ = make();
    Form& form = *form_;
    runtime_.loaded(form);
    runtime_.raise(form.Load);
    return form;
}

void WindowSlot::Unload() {
    if (form_) runtime_.unload(*form_);
}

}  // namespace forms
