#pragma once

#include <string>
#include <vector>

#include "platform/atk_module/accessibility_module.h"
#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/object_id.h"

// The model's descriptions in the plain structures of the module's interface, and read back from
// them: the program lays them out, the module reads them, each with its own copy of this code.

namespace atk_module {

varnel_a11y_id id_of(forms::ObjectId object);
forms::ObjectId object_of(varnel_a11y_id id);
// A view of the text, valid while it lives.
varnel_a11y_text text_of(const std::string& text);
std::string read_text(varnel_a11y_text text);

// A window's description laid out in the interface's structures. It points into the description,
// which must outlive it.
class WindowLayout {
public:
    explicit WindowLayout(const forms::AccessibleWindow& window);
    WindowLayout(const WindowLayout&) = delete;
    WindowLayout& operator=(const WindowLayout&) = delete;

    const varnel_a11y_window& get() const { return window_; }

private:
    std::vector<std::vector<varnel_a11y_id>> label_for_;
    std::vector<varnel_a11y_control> controls_;
    varnel_a11y_window window_{};
};
forms::AccessibleWindow read_window(const varnel_a11y_window& window);

std::vector<varnel_a11y_event> layout_events(const std::vector<forms::AccessibleEvent>& events);
std::vector<forms::AccessibleEvent> read_events(const varnel_a11y_event* events, std::size_t count);

// Points into the alert, which must outlive what is returned.
varnel_a11y_alert layout_alert(const forms::AccessibleAlert& alert);
forms::AccessibleAlert read_alert(const varnel_a11y_alert& alert);

}  // namespace atk_module
