#include "platform/forms/controls.h"

#include <algorithm>
#include <utility>

#include "platform/forms/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/forms/text_units.h"

namespace forms {

namespace {

// Stores a different value and reports whether it was different.
template <class T>
bool assign(T& slot, T value) {
    if (slot == value) return false;
    slot = std::move(value);
    return true;
}

// A short text that replaces a long one keeps none of its storage: a field that the program
// rewrites after a long paste holds a few bytes again.
bool assign(std::string& slot, std::string value) {
    if (!assign<std::string>(slot, std::move(value))) return false;
    slot.shrink_to_fit();
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
      text_(std::move(text)),
      selection_{0, character_count(text_)} {}

void TextBox::Text(std::string text) {
    if (!assign(text_, std::move(text))) return;
    selection_ = {character_count(text_), 0};
    changed();
    runtime().raise(Change);
}

void TextBox::user_edit(std::string text) {
    runtime().input([&] {
        if (!assign(text_, std::move(text))) return;
        runtime().raise(Change);
    });
}

void TextBox::user_paste(TextSelection replaced, std::string_view pasted) {
    runtime().input([&] {
        std::string_view line = pasted.substr(0, pasted.find('\n'));
        if (line.size() < pasted.size() && line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t count = character_count(text_);
        const std::size_t start = std::min(replaced.start, count);
        const std::size_t end = start + std::min(replaced.length, count - start);
        const std::size_t from = byte_offset(text_, start);
        const std::size_t to = byte_offset(text_, end);
        std::string text;
        text.reserve(text_.size() - (to - from) + line.size());
        text.append(text_, 0, from).append(line).append(text_, to);
        selection_ = {start + character_count(line), 0};
        changed();
        if (!assign(text_, std::move(text))) return;
        runtime().raise(Change);
    });
}

int TextBox::user_key(int key_ascii) {
    // The handler may unload this box's window or end the program: the answer is taken while
    // the event still runs, when the box is certainly alive.
    int applied = 0;
    runtime().input([&] {
        runtime().raise(KeyPress, key_ascii);
        if (form().loaded()) applied = key_ascii;
    });
    return applied;
}

VScrollBar::VScrollBar(Form& form, std::string name, Bounds bounds, int tab_index,
                       ScrollRange range)
    : Control(form, ControlKind::VScrollBar, std::move(name), bounds, tab_index),
      range_(range),
      value_(range.min) {}

int VScrollBar::clamp(int value) const { return std::clamp(value, range_.min, range_.max); }

void VScrollBar::Value(int value) {
    if (value < range_.min || value > range_.max) throw invalid_property_value();
    if (!assign(value_, value)) return;
    changed();
    runtime().raise(Change);
}

void VScrollBar::user_scroll(ScrollAction action) {
    const int target = [&] {
        switch (action) {
            case ScrollAction::LineUp:
                return value_ - range_.small_change;
            case ScrollAction::LineDown:
                return value_ + range_.small_change;
            case ScrollAction::PageUp:
                return value_ - range_.large_change;
            case ScrollAction::PageDown:
                return value_ + range_.large_change;
            case ScrollAction::Top:
                return range_.min;
            case ScrollAction::Bottom:
                return range_.max;
        }
        return value_;
    }();
    runtime().input([&] { Value(clamp(target)); });
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
    : Control(form, ControlKind::Timer, std::move(name), {}, -1), interval_(interval_ms) {}

void Timer::Enabled(bool enabled) {
    if (!assign(enabled_, enabled)) return;
    if (enabled_) due_ = runtime().now() + period();
    changed();
}

std::chrono::milliseconds Timer::period() const {
    return std::max(std::chrono::milliseconds(interval_), ShortestPeriod);
}

std::chrono::nanoseconds Timer::due_in() const {
    return std::max(std::chrono::nanoseconds(due_ - runtime().now()), std::chrono::nanoseconds(0));
}

std::optional<std::chrono::nanoseconds> Timer::user_due() {
    if (!running()) return std::nullopt;
    if (runtime().now() < due_) return due_in();
    due_ = runtime().now() + period();
    if (!runtime().between_events()) return due_in();
    // The handler may stop the timer, unload its window or end the program: the answer is
    // taken while the event still runs, when the timer is certainly alive.
    std::optional<std::chrono::nanoseconds> next;
    runtime().input([&] {
        runtime().raise(Tick);
        if (form().loaded() && running()) next = due_in();
    });
    return next;
}

}  // namespace forms
