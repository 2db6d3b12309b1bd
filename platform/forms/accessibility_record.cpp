#include "platform/forms/accessibility_record.h"

#include <utility>

#include "platform/forms/accessible_events.h"
#include "platform/forms/backend.h"

namespace forms {

void AccessibilityRecord::tell(Backend& backend, const std::vector<Form*>& loaded) {
    for (const Form* form : loaded) {
        AccessibleWindow now = describe(*form);
        const auto told = told_.find(form);
        if (told == told_.end()) {
            backend.accessible_update({*form, nullptr, &now, {}});
            told_.emplace(form, std::move(now));
        } else if (now != told->second) {
            backend.accessible_update(
                {*form, &told->second, &now, events_between(told->second, now)});
            told->second = std::move(now);
        }
    }
}

void AccessibilityRecord::unloaded(Backend& backend, const Form& form) {
    const auto told = told_.find(&form);
    if (told == told_.end()) return;
    backend.accessible_update({form, &told->second, nullptr, events_of_unload(told->second)});
    told_.erase(told);
}

}  // namespace forms
