#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <chrono>
#include <ranges>
#include <string_view>
#include <utility>

#include "platform/forms/geometry.h"
#include "platform/forms/keys.h"
#include "platform/forms/runtime.h"
#include "platform/forms/text_units.h"
#include "platform/forms/visit.h"

namespace headless {

int HeadlessBackend::updates(const forms::Control& control) const {
    const auto found = updates_.find(&control);
    return found == updates_.end() ? 0 : found->second;
}

int HeadlessBackend::updates(const forms::Form& form) const {
    const auto found = form_updates_.find(&form);
    return found == form_updates_.end() ? 0 : found->second;
}

bool HeadlessBackend::shown(const forms::Form& form) const {
    const auto found = shown_.find(&form);
    return found != shown_.end() && found->second;
}

std::size_t HeadlessBackend::caret(const forms::TextBox& box) const {
    const auto found = texts_.find(&box);
    if (found == texts_.end()) return 0;
    return forms::character_count(
        std::string_view(found->second.text).substr(0, found->second.caret));
}

bool HeadlessBackend::loaded(const forms::Form& form) const {
    return std::ranges::find(forms_, &form) != forms_.end();
}

bool HeadlessBackend::is_held(const forms::Form& form) const {
    return std::ranges::find(held_, &form) != held_.end();
}

void HeadlessBackend::as_user(forms::Form& form, const std::function<void()>& input) {
    if (is_held(form)) return;
    run_pending();
    focus(form);
    if (loaded(form)) input();
    run_pending();
}

void HeadlessBackend::focus(forms::Form& form) {
    if (focused_ == &form || is_held(form)) return;
    focused_ = &form;
    form.user_activate();
}

void HeadlessBackend::type(forms::TextBox& box, const std::string& characters) {
    forms::Form& form = box.form();
    for (const char c : characters) {
        // A key may close the field's window; the rest is typed nowhere.
        if (!loaded(form)) return;
        as_user(form, [&] {
            // Zero: swallowed by KeyPress, or the window is gone with the box.
            const int key = box.user_key(static_cast<unsigned char>(c));
            if (key == 0) return;
            NativeText& field = texts_[&box];
            const std::size_t from = std::min(field.anchor, field.caret);
            const std::size_t to = std::max(field.anchor, field.caret);
            field.text.replace(from, to - from, 1, static_cast<char>(key));
            field.caret = field.anchor = from + 1;
            box.user_edit(field.text);
        });
    }
}

void HeadlessBackend::place_caret(forms::TextBox& box, std::size_t characters) {
    as_user(box.form(), [&] {
        NativeText& field = texts_[&box];
        field.caret = field.anchor = forms::byte_offset(field.text, characters);
    });
}

void HeadlessBackend::press_enter(forms::TextBox& box) {
    // A single-line field takes no line break: Enter reaches KeyPress and nothing else.
    as_user(box.form(), [&] { box.user_key(forms::KeyReturn); });
}

void HeadlessBackend::replace_text(forms::TextBox& box, const std::string& text) {
    as_user(box.form(), [&] { box.user_paste({0, forms::character_count(box.Text())}, text); });
}

void HeadlessBackend::click(forms::CommandButton& button) {
    as_user(button.form(), [&] { button.user_click(); });
}

void HeadlessBackend::click(forms::CheckBox& box) {
    as_user(box.form(), [&] { box.user_click(); });
}

void HeadlessBackend::scroll(forms::VScrollBar& bar, forms::ScrollAction action) {
    as_user(bar.form(), [&] { bar.user_scroll(action); });
}

void HeadlessBackend::drag_thumb(forms::VScrollBar& bar, const std::vector<int>& values) {
    as_user(bar.form(), [&] {
        for (const int value : values) bar.user_thumb_track(value);
        bar.user_thumb_release(values.empty() ? bar.Value() : values.back());
    });
}

void HeadlessBackend::mouse_down(forms::PictureBox& box, int button, int x, int y, int shift) {
    as_user(box.form(),
            [&] { box.user_mouse_down(button, shift, forms::to_twips(x), forms::to_twips(y)); });
}

void HeadlessBackend::mouse_move(forms::PictureBox& box, int buttons, int x, int y, int shift) {
    as_user(box.form(),
            [&] { box.user_mouse_move(buttons, shift, forms::to_twips(x), forms::to_twips(y)); });
}

void HeadlessBackend::close(forms::Form& form) {
    as_user(form, [&] { form.user_close(); });
}

void HeadlessBackend::uncover(forms::PictureBox& box, forms::PixelRect area) {
    box.user_expose(area);
}

void HeadlessBackend::tick() {
    run_pending();
    std::vector<std::pair<forms::Form*, forms::Timer*>> due;
    for (forms::Form* form : forms_) {
        for (forms::Control* control : form->controls()) {
            forms::Timer* timer = forms::control_cast<forms::Timer>(*control);
            if (timer != nullptr && timer->running()) due.emplace_back(form, timer);
        }
    }
    for (const auto& [form, timer] : due) {
        // An earlier timer's handler may have unloaded this timer's window.
        if (!loaded(*form)) continue;
        // The window system's timer goes off once the timer is due.
        form->runtime().clock().sleep_for(
            std::chrono::ceil<std::chrono::milliseconds>(timer->due_in()));
        timer->user_due();
    }
    run_pending();
}

void HeadlessBackend::run_pending() {
    while (!pending_paints_.empty()) {
        forms::PictureBox* box = pending_paints_.front();
        pending_paints_.erase(pending_paints_.begin());
        box->user_expose();
    }
}

void HeadlessBackend::form_loaded(forms::Form& form) {
    forms_.push_back(&form);
    for (forms::Control* control : form.controls()) {
        if (const auto* box = forms::control_cast<forms::TextBox>(*control)) {
            texts_[box] = native_text(*box);
        }
    }
    // Cascade new windows from the top left corner, as window systems place them by default.
    const int left = 60 + 30 * windows_created_;
    const int top = 40 + 30 * windows_created_;
    ++windows_created_;
    const int width = forms::to_pixels(form.client_width()) + 2 * FrameSide;
    const int height = forms::to_pixels(form.client_height()) + FrameTop + FrameBottom;
    form.user_moved(forms::to_twips(left), forms::to_twips(top), forms::to_twips(width),
                    forms::to_twips(height));
}

void HeadlessBackend::form_unloaded(forms::Form& form) {
    std::erase(forms_, &form);
    shown_.erase(&form);
    if (focused_ == &form) focused_ = nullptr;
    for (const forms::Control* control : form.controls()) {
        updates_.erase(control);
        std::erase(pending_paints_, control);
        if (const auto* box = forms::control_cast<forms::TextBox>(*control)) texts_.erase(box);
    }
}

void HeadlessBackend::update(forms::Form& form) {
    if (!loaded(form)) {
        ++updates_after_unload_;
        return;
    }
    ++form_updates_[&form];
    if (on_form_update) on_form_update(form);
    bool& shown = shown_[&form];
    if (shown == form.Visible()) return;
    shown = form.Visible();
    if (!shown) {
        if (focused_ == &form) focused_ = nullptr;
        return;
    }
    // A window that appears exposes its picture boxes.
    for (forms::Control* control : form.controls()) {
        if (auto* box = forms::control_cast<forms::PictureBox>(*control)) {
            pending_paints_.push_back(box);
        }
    }
}

void HeadlessBackend::update(forms::Control& control) {
    if (!loaded(control.form())) {
        ++updates_after_unload_;
        return;
    }
    ++updates_[&control];
    const auto* box = forms::control_cast<forms::TextBox>(control);
    if (box == nullptr) return;
    // Like a native field, it shows the program's text with the selection where the model puts
    // it.
    texts_[box] = native_text(*box);
}

HeadlessBackend::NativeText HeadlessBackend::native_text(const forms::TextBox& box) {
    const forms::TextSelection& selection = box.selection();
    return {box.Text(), forms::byte_offset(box.Text(), selection.start),
            forms::byte_offset(box.Text(), selection.start + selection.length)};
}

void HeadlessBackend::activate(forms::Form& form) { focused_ = &form; }

int HeadlessBackend::message_box(const std::string& text, int style, const std::string& title,
                                 const std::vector<forms::Form*>& held) {
    message_boxes_.push_back({text, style, title, {held.begin(), held.end()}});
    const std::vector<const forms::Form*> outer = std::exchange(held_, message_boxes_.back().held);
    if (on_message_box) on_message_box(message_boxes_.back());
    held_ = outer;
    return 1;
}

forms::ClipboardResult HeadlessBackend::set_clipboard_text(const std::string& text) {
    if (clipboard_held_) return forms::ClipboardResult::Failed;
    clipboard_ = text;
    return forms::ClipboardResult::Written;
}

forms::ColourValue HeadlessBackend::resolve(forms::SystemColour colour) {
    return forms::default_system_colour(colour);
}

}  // namespace headless
