#include "platform/atk_module/description_layout.h"

#include <type_traits>

namespace atk_module {

namespace {

static_assert(VARNEL_A11Y_GRAPHIC == static_cast<int>(forms::AccessibleRole::Graphic));
static_assert(VARNEL_A11Y_MIXED == 1 + static_cast<int>(forms::CheckState::Mixed));
static_assert(VARNEL_A11Y_CHECK_CHANGED == static_cast<int>(forms::AccessibleChange::CheckChanged));
static_assert(std::is_same_v<std::underlying_type_t<forms::ObjectId>, varnel_a11y_id>);

int32_t check_of(const std::optional<forms::CheckState>& check) {
    return check ? 1 + static_cast<int32_t>(*check) : VARNEL_A11Y_NOT_CHECKABLE;
}

std::optional<forms::CheckState> read_check(int32_t check) {
    if (check <= VARNEL_A11Y_NOT_CHECKABLE || check > VARNEL_A11Y_MIXED) return std::nullopt;
    return static_cast<forms::CheckState>(check - 1);
}

}  // namespace

varnel_a11y_id id_of(forms::ObjectId object) { return static_cast<varnel_a11y_id>(object); }
forms::ObjectId object_of(varnel_a11y_id id) { return static_cast<forms::ObjectId>(id); }

varnel_a11y_text text_of(const std::string& text) { return {text.data(), text.size()}; }

std::string read_text(varnel_a11y_text text) {
    return text.data != nullptr ? std::string(text.data, text.size) : std::string();
}

WindowLayout::WindowLayout(const forms::AccessibleWindow& window) {
    for (const forms::Accessible& control : window.controls) {
        std::vector<varnel_a11y_id>& named = label_for_.emplace_back();
        for (const forms::ObjectId id : control.label_for) named.push_back(id_of(id));
    }
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const forms::Accessible& control = window.controls[i];
        varnel_a11y_control& laid = controls_.emplace_back();
        laid.id = id_of(control.control);
        laid.role = static_cast<int32_t>(control.role);
        laid.name = text_of(control.name);
        laid.text = text_of(control.text);
        laid.has_range = control.range ? 1 : 0;
        if (control.range) {
            laid.value = control.range->value;
            laid.min = control.range->min;
            laid.max = control.range->max;
        }
        laid.check = check_of(control.check);
        laid.focusable = control.focusable ? 1 : 0;
        laid.pressable = control.pressable ? 1 : 0;
        laid.labelled_by = id_of(control.labelled_by);
        laid.label_for = label_for_[i].data();
        laid.label_for_count = label_for_[i].size();
    }
    window_.id = id_of(window.form);
    window_.name = text_of(window.name);
    window_.shown = window.shown ? 1 : 0;
    window_.controls = controls_.data();
    window_.control_count = controls_.size();
}

forms::AccessibleWindow read_window(const varnel_a11y_window& window) {
    forms::AccessibleWindow read;
    read.form = object_of(window.id);
    read.name = read_text(window.name);
    read.shown = window.shown != 0;
    for (std::size_t i = 0; i < window.control_count; ++i) {
        const varnel_a11y_control& laid = window.controls[i];
        forms::Accessible& control = read.controls.emplace_back();
        control.control = object_of(laid.id);
        control.role = static_cast<forms::AccessibleRole>(laid.role);
        control.name = read_text(laid.name);
        control.text = read_text(laid.text);
        if (laid.has_range != 0)
            control.range = forms::AccessibleRange{laid.value, laid.min, laid.max};
        control.check = read_check(laid.check);
        control.focusable = laid.focusable != 0;
        control.pressable = laid.pressable != 0;
        control.labelled_by = object_of(laid.labelled_by);
        for (std::size_t j = 0; j < laid.label_for_count; ++j) {
            control.label_for.push_back(object_of(laid.label_for[j]));
        }
    }
    return read;
}

std::vector<varnel_a11y_event> layout_events(const std::vector<forms::AccessibleEvent>& events) {
    std::vector<varnel_a11y_event> laid;
    for (const forms::AccessibleEvent& event : events) {
        laid.push_back({static_cast<int32_t>(event.change), id_of(event.control)});
    }
    return laid;
}

std::vector<forms::AccessibleEvent> read_events(const varnel_a11y_event* events,
                                                std::size_t count) {
    std::vector<forms::AccessibleEvent> read;
    for (std::size_t i = 0; i < count; ++i) {
        read.push_back(
            {static_cast<forms::AccessibleChange>(events[i].change), object_of(events[i].control)});
    }
    return read;
}

varnel_a11y_alert layout_alert(const forms::AccessibleAlert& alert) {
    return {text_of(alert.name), text_of(alert.text), text_of(alert.focused_button)};
}

forms::AccessibleAlert read_alert(const varnel_a11y_alert& alert) {
    return {read_text(alert.name), read_text(alert.text), read_text(alert.focused_button)};
}

}  // namespace atk_module
