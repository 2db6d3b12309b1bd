#include "platform/forms/controls.h"

#include <algorithm>

#include "platform/forms/runtime.h"

namespace forms {

namespace {

// Stores a different value and reports whether it was different.
template <class T>
bool assign(T& slot, T value) {
    if (slot == value) return false;
    slot = std::move(value);
    return true;
}

}  // namespace

Label::Label(Form& form, std::string name, Bounds bounds, int tab_index, std::string caption)
    : Control(form, ControlKind::Label, std::move(name), bounds, tab_index),
      caption_(std::move(caption)) {}

void Label::Caption(std::string caption) {
    if (assign(caption_, std::move(caption))) changed();
}
void Label::BackColor(ColourValue colour) {
    if (assign(back_colour_, colour)) changed();
}
void Label::ForeColor(ColourValue colour) {
    if (assign(fore_colour_, colour)) changed();
}
void Label::Font(forms::Font font) {
    if (assign(font_, std::optional<forms::Font>(std::move(font)))) changed();
}

TextBox::TextBox(Form& form, std::string name, Bounds bounds, int tab_index, std::string text)
    : Control(form, ControlKind::TextBox, std::move(name), bounds, tab_index),
      text_(std::move(text)) {}

void TextBox::Text(std::string text) {
    if (!assign(text_, std::move(text))) return;
    changed();
    runtime().raise(Change);
}

void TextBox::user_edit(std::string text) {
    runtime().input([&] { Text(std::move(text)); });
}

int TextBox::user_key(int key_ascii) {
    runtime().input([&] { runtime().raise(KeyPress, key_ascii); });
    return runtime().ended() ? 0 : key_ascii;
}

VScrollBar::VScrollBar(Form& form, std::string name, Bounds bounds, int tab_index, int min, int max)
    : Control(form, ControlKind::VScrollBar, std::move(name), bounds, tab_index),
      min_(min),
      max_(max),
      value_(min) {}

int VScrollBar::clamp(int value) const { return std::clamp(value, min_, max_); }

void VScrollBar::Value(int value) {
    if (value < min_ || value > max_) throw invalid_property_value();
    if (!assign(value_, value)) return;
    changed();
    runtime().raise(Change);
}

void VScrollBar::user_step(int delta) {
    runtime().input([&] { Value(clamp(value_ + delta)); });
}

void VScrollBar::user_thumb_track(int value) {
    runtime().input([&] {
        if (!assign(value_, clamp(value))) return;
        changed();
        runtime().raise(Scroll);
    });
}

void VScrollBar::user_thumb_release(int value) {
    runtime().input([&] {
        if (assign(value_, clamp(value))) changed();
        runtime().raise(Change);
    });
}

CheckBox::CheckBox(Form& form, std::string name, Bounds bounds, int tab_index, std::string caption)
    : Control(form, ControlKind::CheckBox, std::move(name), bounds, tab_index),
      caption_(std::move(caption)) {}

void CheckBox::Value(int value) {
    if (value < 0 || value > 2) throw invalid_property_value();
    if (!assign(value_, value)) return;
    changed();
    runtime().raise(Click);
}

void CheckBox::user_click() {
    runtime().input([&] { Value(value_ == 0 ? 1 : 0); });
}

CommandButton::CommandButton(Form& form, std::string name, Bounds bounds, int tab_index,
                             std::string caption)
    : Control(form, ControlKind::CommandButton, std::move(name), bounds, tab_index),
      caption_(std::move(caption)) {}

void CommandButton::user_click() {
    runtime().input([&] { runtime().raise(Click); });
}

Image::Image(Form& form, std::string name, Bounds bounds, forms::Picture picture, bool stretch)
    : Control(form, ControlKind::Image, std::move(name), bounds, -1),
      picture_(picture),
      stretch_(stretch) {}

Timer::Timer(Form& form, std::string name, int interval_ms)
    : Control(form, ControlKind::Timer, std::move(name), {}, -1), interval_(interval_ms) {
    enabled_ = false;
}

void Timer::Enabled(bool enabled) {
    if (assign(enabled_, enabled)) changed();
}

void Timer::user_due() {
    runtime().input([&] {
        if (enabled_) runtime().raise(Tick);
    });
}

}  // namespace forms
