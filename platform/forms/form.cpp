#include "platform/forms/form.h"

#include <utility>

#include "platform/forms/runtime.h"

namespace forms {

Form::Form(Runtime& runtime, FormDesign design)
    : runtime_(runtime), id_(runtime.issue_id()), design_(std::move(design)) {}

void Form::changed() {
    if (dirty_) return;
    dirty_ = true;
    runtime_.mark_dirty(*this);
}

void Form::Left(float left) {
    if (left_ == left) return;
    left_ = left;
    changed();
}

void Form::Top(float top) {
    if (top_ == top) return;
    top_ = top;
    changed();
}

void Form::Visible(bool visible) {
    if (visible) {
        Show();
        return;
    }
    if (!visible_) return;
    const Runtime::Scope scope(runtime_);
    visible_ = false;
    changed();
    runtime_.hidden(*this);
}

void Form::Show() {
    const Runtime::Scope scope(runtime_);
    if (!visible_) {
        visible_ = true;
        changed();
    }
    runtime_.shown(*this);
}

void Form::user_activate() { runtime_.activation_reported(*this); }

void Form::user_close() {
    runtime_.input([&] { runtime_.unload(*this); });
}

void Form::user_moved(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

}  // namespace forms
