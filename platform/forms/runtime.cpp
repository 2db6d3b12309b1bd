#include "platform/forms/runtime.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <ranges>
#include <utility>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/message_box_style.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/window_ref.h"

namespace forms {

Runtime::Runtime(Backend& backend, std::string title, std::unique_ptr<RandomSource> random,
                 std::unique_ptr<Clock> clock)
    : backend_(backend),
      title_(std::move(title)),
      random_(std::move(random)),
      clock_(std::move(clock)) {}

Runtime::~Runtime() = default;

int Runtime::MsgBox(const std::string& text, int style, const std::string& title) {
    flush();
    // A message box is modal to the whole program: it holds every window the program has
    // loaded, shown or hidden, not only the one the user was in. Input that reached any of them
    // would be dropped anyway, since none is delivered while an event runs; held, they show the
    // user so.
    return backend_.message_box(text, style, title, loaded_forms());
}

void Runtime::SetClipboardText(const std::string& text) {
    using namespace std::chrono_literals;
    const auto deadline = clock_->now() + 100ms;
    while (backend_.set_clipboard_text(text) == ClipboardResult::Failed) {
        if (clock_->now() >= deadline) throw cannot_open_clipboard();
        clock_->sleep_for(10ms);
    }
}

ColourValue Runtime::resolve(ColourValue colour) {
    return is_system(colour) ? backend_.resolve(static_cast<SystemColour>(colour))
                             : colour & 0xFFFFFFU;
}

std::vector<Form*> Runtime::loaded_forms() const {
    std::vector<Form*> forms;
    for (const WindowSlot* slot : slots_) {
        if (Form* form = slot->loaded_form()) forms.push_back(form);
    }
    return forms;
}

Form* Runtime::find_form(ObjectId id) const {
    for (Form* form : loaded_forms()) {
        if (form->id() == id) return form;
    }
    return nullptr;
}

Control* Runtime::find_control(ObjectId id) const {
    for (const Form* form : loaded_forms()) {
        for (Control* control : form->controls()) {
            if (control->id() == id) return control;
        }
    }
    return nullptr;
}

void Runtime::assistive_technology_asked() {
    accessibility_.start_listening();
    // Told at once if every change so far has been pushed (between events, or while a message
    // box waits), so that it reads what the screen shows; otherwise once the event is over.
    if (!ended_ && dirty_controls_.empty() && dirty_forms_.empty()) {
        accessibility_.tell(backend_, loaded_forms());
    }
}

void Runtime::activation_reported(Form& form) {
    if (ended_) return;
    if (depth_ > 0) {
        remembered_activation_ = &form;
        return;
    }
    input([&] { activated(form); });
}

void Runtime::expose_reported(PictureBox& box, PixelRect area) {
    if (ended_) return;
    if (depth_ == 0) {
        input([&] { box.repaint(area); });
        return;
    }
    const auto same_box = [&](const auto& entry) { return entry.first == &box; };
    const auto found = std::ranges::find_if(remembered_exposes_, same_box);
    if (found == remembered_exposes_.end()) {
        remembered_exposes_.emplace_back(&box, area);
        return;
    }
    found->second = bounding(found->second, area);
}

void Runtime::deliver_remembered() {
    while (between_events()) {
        if (Form* form = std::exchange(remembered_activation_, nullptr)) {
            run_event([&] { activated(*form); });
        } else if (!remembered_exposes_.empty()) {
            const auto [box, area] = remembered_exposes_.front();
            remembered_exposes_.erase(remembered_exposes_.begin());
            run_event([&, box = box, area = area] { box->repaint(area); });
        } else {
            return;
        }
    }
}

void Runtime::forget(const Form& form) {
    if (remembered_activation_ == &form) remembered_activation_ = nullptr;
    std::erase_if(remembered_exposes_,
                  [&](const auto& entry) { return &entry.first->form() == &form; });
}

void Runtime::loaded(Form& form) { backend_.form_loaded(form); }

void Runtime::unload(Form& form) {
    if (!form.loaded_) return;
    Scope scope(*this);
    int cancel = 0;
    raise(form.Unload, cancel);
    if (cancel != 0 || !form.loaded_) return;
    form.loaded_ = false;
    form.visible_ = false;
    if (active_ == &form) active_ = nullptr;
    forget(form);
    accessibility_.unloaded(backend_, form);
    backend_.form_unloaded(form);
    for (WindowSlot* slot : slots_) {
        if (slot->form_.get() == &form) retire(std::move(slot->form_));
    }
    if (loaded_forms().empty()) {
        ended_ = true;
        backend_.quit();
    }
}

void Runtime::shown(Form& form) {
    if (active_ == &form) return;
    to_activate_.push_back(&form);
    activated(form);
}

void Runtime::hidden(Form& form) {
    if (active_ == &form) active_ = nullptr;
}

void Runtime::activated(Form& form) {
    if (!form.loaded_ || active_ == &form) return;
    active_ = &form;
    raise(form.Activate);
}

void Runtime::fail(const RuntimeError& error) {
    MsgBox("Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.what(), Critical,
           title_);
    end();
    throw ProgramEnded{};
}

void Runtime::end() {
    for (WindowSlot* slot : slots_) {
        if (!slot->form_) continue;
        slot->form_->loaded_ = false;
        forget(*slot->form_);
        accessibility_.unloaded(backend_, *slot->form_);
        backend_.form_unloaded(*slot->form_);
        retire(std::move(slot->form_));
    }
    active_ = nullptr;
    ended_ = true;
    backend_.quit();
}

void Runtime::flush() {
    // Each list may grow while it is walked only if a back end re-entered the runtime, which
    // back ends never do; indices keep the walk safe all the same.
    for (std::size_t i = 0; i < dirty_controls_.size(); ++i) {
        Control& control = *dirty_controls_[i];
        if (!control.form().loaded() || !control.dirty()) continue;
        control.clear_dirty();
        backend_.update(control);
    }
    dirty_controls_.clear();
    for (std::size_t i = 0; i < dirty_forms_.size(); ++i) {
        Form& form = *dirty_forms_[i];
        if (!form.loaded_ || !form.dirty()) continue;
        form.clear_dirty();
        backend_.update(form);
    }
    dirty_forms_.clear();
    for (std::size_t i = 0; i < to_activate_.size(); ++i) {
        Form& form = *to_activate_[i];
        if (form.loaded_ && form.visible_) backend_.activate(form);
    }
    to_activate_.clear();
    // Until assistive technology asks, an event costs it nothing, not even the list of windows.
    if (accessibility_.listening()) accessibility_.tell(backend_, loaded_forms());
}

void Runtime::settle() {
    if (!ended_) flush();
    dirty_controls_.clear();
    dirty_forms_.clear();
    to_activate_.clear();
    retired_.clear();
}

void Runtime::retire(std::unique_ptr<Form> form) { retired_.push_back(std::move(form)); }

}  // namespace forms
