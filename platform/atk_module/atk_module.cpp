#include "platform/atk_module/atk_module.h"

#include <atk-bridge.h>
#include <atspi/atspi.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/atk_module/atk_util.h"
#include "platform/atk_module/log_limit.h"

namespace atk_module {

namespace {

AtkRole atk_role(forms::AccessibleRole role) {
    switch (role) {
        case forms::AccessibleRole::Window:
            return ATK_ROLE_FRAME;
        case forms::AccessibleRole::Alert:
            return ATK_ROLE_ALERT;
        case forms::AccessibleRole::StaticText:
            return ATK_ROLE_LABEL;
        case forms::AccessibleRole::EditableText:
            return ATK_ROLE_ENTRY;
        case forms::AccessibleRole::ScrollBar:
            return ATK_ROLE_SCROLL_BAR;
        case forms::AccessibleRole::CheckBox:
            return ATK_ROLE_CHECK_BOX;
        case forms::AccessibleRole::PushButton:
            return ATK_ROLE_PUSH_BUTTON;
        case forms::AccessibleRole::Graphic:
            return ATK_ROLE_IMAGE;
    }
    return ATK_ROLE_UNKNOWN;
}

ObjectKind kind_of(forms::AccessibleRole role) {
    switch (role) {
        case forms::AccessibleRole::StaticText:
        case forms::AccessibleRole::EditableText:
            return ObjectKind::Text;
        case forms::AccessibleRole::ScrollBar:
            return ObjectKind::Value;
        case forms::AccessibleRole::CheckBox:
        case forms::AccessibleRole::PushButton:
            return ObjectKind::Action;
        case forms::AccessibleRole::Window:
            return ObjectKind::Window;
        case forms::AccessibleRole::Alert:
            return ObjectKind::Alert;
        case forms::AccessibleRole::Graphic:
            break;
    }
    return ObjectKind::Graphic;
}

// What assistive technology receives must be valid UTF-8 without NUL characters; a field's
// text may be any bytes the user pasted.
std::string readable(const std::string& text) {
    std::string valid = text;
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        gchar* made = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
        valid = made;
        g_free(made);
    }
    std::string readable;
    readable.reserve(valid.size());
    for (const char c : valid) c == '\0' ? readable += "\uFFFD" : readable += c;
    return readable;
}

void notify_state(AtkObject* object, AtkStateType state, bool on) {
    atk_object_notify_state_change(object, state, on ? TRUE : FALSE);
}

// The object stands for nothing any more: it keeps its role and name for whoever still holds
// it, and says it is gone.
void make_defunct(AtkObject* object) {
    ObjectState& state = state_of(object);
    ObjectState gone;
    gone.role = state.role;
    gone.name = std::move(state.name);
    gone.defunct = true;
    state = std::move(gone);
    notify_state(object, ATK_STATE_DEFUNCT, true);
}

bool is_continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

// Tells a text's change as the characters removed and inserted between the parts it kept.
void tell_text_change(AtkObject* object, const std::string& before, const std::string& after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    while (prefix > 0 && prefix < before.size() && is_continuation(before[prefix])) --prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    while (suffix > 0 && is_continuation(before[before.size() - suffix])) --suffix;
    const auto position =
        static_cast<gint>(g_utf8_strlen(before.data(), static_cast<gssize>(prefix)));
    const auto tell = [&](const char* signal, const std::string& text) {
        const std::string piece = text.substr(prefix, text.size() - suffix - prefix);
        if (piece.empty()) return;
        const auto length = static_cast<gint>(g_utf8_strlen(piece.c_str(), -1));
        g_signal_emit_by_name(object, signal, position, length, piece.c_str());
    };
    tell("text-remove", before);
    tell("text-insert", after);
}

}  // namespace

AtkModule::AtkModule(Host& host, const Application& application)
    : host_(host), root_(new_object(ObjectKind::Application)) {
    ObjectState& root = state_of(root_.get());
    root.role = ATK_ROLE_APPLICATION;
    root.name = readable(application.name);
    install_util(root_.get(), application, [this] { repeat_focus(); });
    limit_library_messages();
}

bool AtkModule::export_to_bridge(const std::string& bus_address) {
    if (exported_) return true;
    // The bridge looks for the bus itself, with calls that wait as long as the bus keeps silent;
    // told where it is, it connects there at once.
    g_setenv("AT_SPI_BUS_ADDRESS", bus_address.c_str(), TRUE);
    // Screen readers then call over that bus alone, where the guard stands.
    g_setenv("ATSPI_DISABLE_P2P", "1", TRUE);
    // The bridge reads its options from a command line; the program's own is none of its
    // business.
    std::string name = state_of(root_.get()).name;
    std::array<char*, 2> arguments{name.data(), nullptr};
    int count = 1;
    char** command_line = arguments.data();
    exported_ = atk_bridge_adaptor_init(&count, &command_line) == 0;
    if (exported_) guard_.emplace(atspi_get_a11y_bus());
    return exported_;
}

void AtkModule::withdraw_from_bridge() {
    if (!std::exchange(exported_, false)) return;
    guard_.reset();
    atk_bridge_adaptor_cleanup();
    // The bridge knows each object it exported by the path it gave it, and a bridge started anew
    // does not know those paths: it gets new objects.
    forget_windows();
}

void AtkModule::forget_windows() {
    if (message_box_) retire(*message_box_);
    message_box_.reset();
    for (auto& [id, window] : windows_) retire(window);
    windows_.clear();
    focus_ = {};
}

AtkModule::~AtkModule() {
    withdraw_from_bridge();
    uninstall_util();
    forget_windows();
}

AtkObject* AtkModule::Window::control(forms::ObjectId control) const {
    const auto found =
        std::ranges::find(controls, control, [](const auto& entry) { return entry.first; });
    return found == controls.end() ? nullptr : found->second.get();
}

void AtkModule::window(const forms::AccessibleWindow& now,
                       const std::vector<forms::AccessibleEvent>& events) {
    auto [entry, made] = windows_.try_emplace(now.form);
    Window& window = entry->second;
    if (made) {
        window.object = new_object(ObjectKind::Window);
        atk_object_set_parent(window.object.get(), root_.get());
        ObjectState& state = state_of(window.object.get());
        state.role = atk_role(forms::AccessibleRole::Window);
        state.extents = [this, id = now.form] { return host_.window_extents(id); };
    }
    // What the events' objects read before, for the events that tell how it changed.
    std::vector<ObjectState> before;
    for (const forms::AccessibleEvent& event : events) {
        AtkObject* object = window.control(event.control);
        before.push_back(object != nullptr ? state_of(object) : ObjectState{});
    }
    const std::vector<AtkObject*> children = state_of(window.object.get()).children;
    const Reconciled reconciled = reconcile_children(window, now);
    announce_children(window, children, reconciled);
    relate_labels(window, now);
    // A window already shown when the module first hears of it is simply there.
    if (made && now.shown) appear(window.object.get());
    for (std::size_t i = 0; i < events.size(); ++i) tell(window, events[i], before[i]);
}

AtkModule::Reconciled AtkModule::reconcile_children(Window& window,
                                                    const forms::AccessibleWindow& now) {
    ObjectState& own = state_of(window.object.get());
    own.name = readable(now.name);
    own.showing = now.shown;
    Controls previous = std::exchange(window.controls, {});
    std::vector<AtkObject*> made;
    for (const forms::Accessible& entry : now.controls) {
        const forms::ObjectId control = entry.control;
        const auto kept =
            std::ranges::find(previous, control, [](const auto& pair) { return pair.first; });
        ObjectRef object;
        if (kept != previous.end()) {
            object = std::move(kept->second);
            previous.erase(kept);
        } else {
            object = new_object(kind_of(entry.role));
            atk_object_set_parent(object.get(), window.object.get());
            made.push_back(object.get());
        }
        ObjectState& state = state_of(object.get());
        state.role = atk_role(entry.role);
        state.name = readable(entry.name);
        state.text = readable(entry.text);
        state.range = entry.range;
        state.check = entry.check;
        state.focusable = entry.focusable;
        state.showing = now.shown;
        state.extents = [this, control] { return host_.control_extents(control); };
        state.caret = nullptr;
        if (entry.role == forms::AccessibleRole::EditableText) {
            state.caret = [this, control] { return host_.caret(control); };
        }
        state.press = nullptr;
        if (entry.pressable) state.press = [this, control] { host_.press(control); };
        window.controls.emplace_back(control, std::move(object));
    }
    own.children.clear();
    for (const auto& [control, object] : window.controls) own.children.push_back(object.get());
    return {std::move(made), std::move(previous)};
}

void AtkModule::announce_children(const Window& window, const std::vector<AtkObject*>& before,
                                  const Reconciled& reconciled) {
    // Controls the window no longer tells of (a label emptied) go, and new ones come.
    AtkObject* parent = window.object.get();
    for (const auto& [control, object] : reconciled.retired) {
        const auto index =
            static_cast<guint>(std::ranges::find(before, object.get()) - before.begin());
        g_signal_emit_by_name(parent, "children-changed::remove", index, object.get());
        make_defunct(object.get());
    }
    if (before.empty()) return;
    const std::vector<AtkObject*>& children = state_of(parent).children;
    for (AtkObject* object : reconciled.made) {
        const auto index =
            static_cast<guint>(std::ranges::find(children, object) - children.begin());
        g_signal_emit_by_name(parent, "children-changed::add", index, object);
    }
}

void AtkModule::relate_labels(const Window& window, const forms::AccessibleWindow& now) {
    for (const forms::Accessible& entry : now.controls) {
        ObjectState& state = state_of(window.control(entry.control));
        state.labelled_by.clear();
        state.label_for.clear();
        if (AtkObject* label = window.control(entry.labelled_by)) {
            state.labelled_by.push_back(label);
        }
        for (const forms::ObjectId named : entry.label_for) {
            if (AtkObject* object = window.control(named)) state.label_for.push_back(object);
        }
    }
}

void AtkModule::tell(Window& window, const forms::AccessibleEvent& event,
                     const ObjectState& before) {
    AtkObject* object =
        event.control != forms::NoObject ? window.control(event.control) : window.object.get();
    if (object == nullptr) return;
    const ObjectState& state = state_of(object);
    switch (event.change) {
        case forms::AccessibleChange::Shown:
            appear(object);
            break;
        case forms::AccessibleChange::Hidden:
            disappear(object);
            break;
        case forms::AccessibleChange::NameChanged:
            g_object_notify(G_OBJECT(object), "accessible-name");
            break;
        case forms::AccessibleChange::TextChanged:
            tell_text_change(object, before.text, state.text);
            break;
        case forms::AccessibleChange::ValueChanged:
            g_object_notify(G_OBJECT(object), "accessible-value");
            break;
        case forms::AccessibleChange::CheckChanged:
            for (const auto& [check, atk_state] :
                 {std::pair{forms::CheckState::Checked, ATK_STATE_CHECKED},
                  std::pair{forms::CheckState::Mixed, ATK_STATE_INDETERMINATE}}) {
                if ((before.check == check) != (state.check == check)) {
                    notify_state(object, atk_state, state.check == check);
                }
            }
            break;
    }
}

void AtkModule::appear(AtkObject* window) {
    std::vector<AtkObject*>& windows = state_of(root_.get()).children;
    if (std::ranges::find(windows, window) != windows.end()) return;
    windows.push_back(window);
    g_signal_emit_by_name(root_.get(), "children-changed::add",
                          static_cast<guint>(windows.size() - 1), window);
    g_signal_emit_by_name(window, "create");
    notify_state(window, ATK_STATE_VISIBLE, true);
    notify_state(window, ATK_STATE_SHOWING, true);
}

void AtkModule::disappear(AtkObject* window) {
    std::vector<AtkObject*>& windows = state_of(root_.get()).children;
    const auto found = std::ranges::find(windows, window);
    if (found == windows.end()) return;
    const auto index = static_cast<guint>(found - windows.begin());
    windows.erase(found);
    notify_state(window, ATK_STATE_SHOWING, false);
    notify_state(window, ATK_STATE_VISIBLE, false);
    g_signal_emit_by_name(window, "destroy");
    g_signal_emit_by_name(root_.get(), "children-changed::remove", index, window);
}

void AtkModule::retire(Window& window) {
    disappear(window.object.get());
    for (auto& [control, object] : window.controls) make_defunct(object.get());
    make_defunct(window.object.get());
}

void AtkModule::unloaded(forms::ObjectId window,
                         const std::vector<forms::AccessibleEvent>& events) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    for (const forms::AccessibleEvent& event : events) tell(found->second, event, ObjectState{});
    if (focus_.in == Focus::In::Window && focus_.window == window) focus_ = {};
    retire(found->second);
    windows_.erase(found);
}

void AtkModule::message_box(const std::optional<forms::AccessibleAlert>& box) {
    if (message_box_) {
        if (focus_.in == Focus::In::MessageBox) focus_ = {};
        retire(*message_box_);
        message_box_.reset();
    }
    if (!box) return;
    Window& window = message_box_.emplace();
    window.object = new_object(ObjectKind::Alert);
    atk_object_set_parent(window.object.get(), root_.get());
    ObjectState& own = state_of(window.object.get());
    own.role = atk_role(forms::AccessibleRole::Alert);
    own.name = readable(box->name);
    own.text = readable(box->text);
    // Screen readers read an alert's text from its description when it has no labels of its
    // own (the text is all the message box says besides its button).
    own.description = own.text;
    own.showing = true;
    own.modal = true;
    own.extents = [this] { return host_.message_box_extents(false); };

    ObjectRef button = new_object(ObjectKind::Action);
    atk_object_set_parent(button.get(), window.object.get());
    ObjectState& pressable = state_of(button.get());
    pressable.role = atk_role(forms::AccessibleRole::PushButton);
    pressable.name = readable(box->focused_button);
    pressable.focusable = true;
    pressable.showing = true;
    pressable.extents = [this] { return host_.message_box_extents(true); };
    pressable.press = [this] { host_.press_message_box_button(); };
    own.children.push_back(button.get());
    window.controls.emplace_back(forms::NoObject, std::move(button));
    appear(window.object.get());
}

AtkObject* AtkModule::window_object(const Focus& focus) const {
    if (focus.in == Focus::In::MessageBox && message_box_) return message_box_->object.get();
    if (focus.in != Focus::In::Window) return nullptr;
    const auto found = windows_.find(focus.window);
    return found == windows_.end() ? nullptr : found->second.object.get();
}

AtkObject* AtkModule::focus_object(const Focus& focus) const {
    AtkObject* window = window_object(focus);
    if (window == nullptr) return nullptr;
    if (focus.in == Focus::In::MessageBox) {
        return focus.on_button ? message_box_->controls.front().second.get() : window;
    }
    AtkObject* control = windows_.at(focus.window).control(focus.control);
    return control != nullptr ? control : window;
}

void AtkModule::focus(const Focus& focus) {
    AtkObject* old_window = window_object(focus_);
    AtkObject* old_object = focus_object(focus_);
    AtkObject* new_window = window_object(focus);
    AtkObject* new_object = focus_object(focus);
    focus_ = focus;
    if (old_object != nullptr && old_object != new_object) {
        state_of(old_object).focused = false;
        notify_state(old_object, ATK_STATE_FOCUSED, false);
    }
    if (old_window != new_window && old_window != nullptr) {
        state_of(old_window).active = false;
        notify_state(old_window, ATK_STATE_ACTIVE, false);
        g_signal_emit_by_name(old_window, "deactivate");
    }
    if (old_window != new_window && new_window != nullptr) {
        state_of(new_window).active = true;
        g_signal_emit_by_name(new_window, "activate");
        notify_state(new_window, ATK_STATE_ACTIVE, true);
    }
    if (new_object != nullptr && new_object != old_object) {
        state_of(new_object).focused = true;
        notify_state(new_object, ATK_STATE_FOCUSED, true);
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        atk_focus_tracker_notify(new_object);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
}

void AtkModule::repeat_focus() {
    const Focus now = focus_;
    focus_ = {};
    focus(now);
}

}  // namespace atk_module
