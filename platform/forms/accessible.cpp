#include "platform/forms/accessible.h"

#include <algorithm>
#include <optional>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/caption.h"
#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/runtime.h"
#include "platform/forms/stacking.h"
#include "platform/forms/visit.h"

namespace forms {

namespace {

// Twice a rectangle's centre, so that centres stay whole numbers.
int centre_x2(const Bounds& b) { return 2 * b.left + b.width; }
int centre_y2(const Bounds& b) { return 2 * b.top + b.height; }

// How far the label stands from the control if it stands directly above it (its middle above
// the control's top, the control's middle below it) or on its left (its middle left of the
// control's left edge, the control's middle beside it); nothing otherwise. Edges may overlap by
// a pixel, as a label's last row or column lies beneath the field it names.
std::optional<int> distance_to(const Label& label, const Control& control) {
    const Bounds& l = label.bounds();
    const Bounds& c = control.bounds();
    const int c_x2 = centre_x2(c);
    const int c_y2 = centre_y2(c);
    const bool spans_x = 2 * l.left <= c_x2 && c_x2 < 2 * (l.left + l.width);
    const bool spans_y = 2 * l.top <= c_y2 && c_y2 < 2 * (l.top + l.height);
    if (spans_x && centre_y2(l) < 2 * c.top) return 2 * c.top - centre_y2(l);
    if (spans_y && centre_x2(l) < 2 * c.left) return 2 * c.left - centre_x2(l);
    return std::nullopt;
}

// The label nearest above or left of a field or scroll bar, among those that show a text.
const Label* naming_label(const Form& form, const Control& control) {
    const Label* best = nullptr;
    int best_distance = 0;
    for (Control* candidate : form.controls()) {
        const Label* label = control_cast<Label>(*candidate);
        if (label == nullptr || label->Caption().empty()) continue;
        const std::optional<int> distance = distance_to(*label, control);
        if (distance && (best == nullptr || *distance < best_distance)) {
            best = label;
            best_distance = *distance;
        }
    }
    return best;
}

bool overlap_vertically(const Bounds& a, const Bounds& b) {
    return a.top < b.top + b.height && b.top < a.top + a.height;
}

// The labels that spell one word with this one: those in its display font, linked by standing
// on one line with it or with each other, left to right. A label in the default font stands
// alone.
std::vector<const Label*> word_of(const Form& form, const Label& label) {
    std::vector<const Label*> word{&label};
    if (!label.Font()) return word;
    for (bool grew = true; grew;) {
        grew = false;
        for (Control* candidate : form.controls()) {
            const Label* other = control_cast<Label>(*candidate);
            if (other == nullptr || other->Font() != label.Font() ||
                std::ranges::find(word, other) != word.end()) {
                continue;
            }
            const auto on_one_line = [&](const Label* member) {
                return overlap_vertically(member->bounds(), other->bounds());
            };
            if (std::ranges::any_of(word, on_one_line)) {
                word.push_back(other);
                grew = true;
            }
        }
    }
    std::ranges::sort(word, {}, [](const Label* member) { return member->Left(); });
    return word;
}

Accessible entry(const Control& control, AccessibleRole role, std::string name) {
    Accessible made;
    made.control = control.id();
    made.role = role;
    made.name = std::move(name);
    made.focusable = control.takes_focus();
    made.pressable =
        made.focusable && (role == AccessibleRole::PushButton || role == AccessibleRole::CheckBox);
    return made;
}

std::string text_of(const Label& label) { return with_line_breaks(label.Caption(), "\n"); }

// A label as a screen reader reads it, or nothing for an empty one, or for a letter of a word
// that the word's first label reads whole.
std::optional<Accessible> describe_label(const Form& form, const Label& label) {
    const std::vector<const Label*> word = word_of(form, label);
    if (word.front() != &label) return std::nullopt;
    std::string text;
    for (const Label* member : word) text += text_of(*member);
    if (text.empty()) return std::nullopt;
    Accessible made = entry(label, AccessibleRole::StaticText, text);
    made.text = std::move(text);
    return made;
}

// A field or scroll bar, named by its label.
Accessible labelled(const Form& form, const Control& control, AccessibleRole role) {
    const Label* label = naming_label(form, control);
    Accessible made =
        entry(control, role, label != nullptr ? label->Caption() : control.AccessibleName());
    if (label != nullptr) made.labelled_by = label->id();
    return made;
}

// A picture is told of when its design names it.
std::optional<Accessible> describe_picture(const Control& picture) {
    if (picture.AccessibleName().empty()) return std::nullopt;
    return entry(picture, AccessibleRole::Graphic, picture.AccessibleName());
}

std::optional<Accessible> describe_control(const Form& form, const Control& control) {
    return visit(control,
                 overloaded{
                     [&](const Label& label) { return describe_label(form, label); },
                     [&](const TextBox& box) -> std::optional<Accessible> {
                         Accessible made = labelled(form, box, AccessibleRole::EditableText);
                         made.text = box.Text();
                         return made;
                     },
                     [&](const VScrollBar& bar) -> std::optional<Accessible> {
                         Accessible made = labelled(form, bar, AccessibleRole::ScrollBar);
                         made.range = AccessibleRange{bar.Value(), bar.Min(), bar.Max()};
                         return made;
                     },
                     [&](const CheckBox& box) -> std::optional<Accessible> {
                         constexpr CheckState States[] = {CheckState::Unchecked,
                                                          CheckState::Checked, CheckState::Mixed};
                         Accessible made = entry(box, AccessibleRole::CheckBox, box.Caption());
                         made.check = States[box.Value()];
                         return made;
                     },
                     [&](const CommandButton& button) -> std::optional<Accessible> {
                         return entry(button, AccessibleRole::PushButton, button.Caption());
                     },
                     [&](const PictureBox& box) { return describe_picture(box); },
                     [&](const Image& image) { return describe_picture(image); },
                     [&](const Timer&) -> std::optional<Accessible> { return std::nullopt; },
                 });
}

}  // namespace

const Accessible* AccessibleWindow::find(ObjectId control) const {
    const auto found = std::ranges::find(controls, control, &Accessible::control);
    return found == controls.end() ? nullptr : &*found;
}

const Accessible* AccessibleWindow::find(const Control& control) const {
    return find(control.id());
}

AccessibleWindow describe(const Form& form) {
    AccessibleWindow window;
    window.form = form.id();
    window.name = form.Caption();
    window.shown = form.Visible();
    for (const Control* control : tab_order(form)) {
        if (std::optional<Accessible> entry = describe_control(form, *control)) {
            window.controls.push_back(std::move(*entry));
        }
    }
    for (const Accessible& entry : window.controls) {
        if (entry.labelled_by == NoObject) continue;
        const auto label =
            std::ranges::find(window.controls, entry.labelled_by, &Accessible::control);
        if (label != window.controls.end()) label->label_for.push_back(entry.control);
    }
    return window;
}

AccessibleAlert describe_message_box(const std::string& text, const std::string& title) {
    return {title, with_line_breaks(text, "\n"), "OK"};
}

bool press(Control& control) {
    return visit(control, overloaded{
                              [](CommandButton& button) {
                                  button.user_click();
                                  return true;
                              },
                              [](CheckBox& box) {
                                  box.user_click();
                                  return true;
                              },
                              // The other kinds have no action.
                              [](Label&) { return false; },
                              [](TextBox&) { return false; },
                              [](VScrollBar&) { return false; },
                              [](PictureBox&) { return false; },
                              [](Image&) { return false; },
                              [](Timer&) { return false; },
                          });
}

bool press(const Runtime& runtime, ObjectId control) {
    Control* pressed = runtime.find_control(control);
    return pressed != nullptr && press(*pressed);
}

}  // namespace forms
