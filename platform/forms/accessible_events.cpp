#include "platform/forms/accessible_events.h"

namespace forms {

std::vector<AccessibleEvent> events_between(const AccessibleWindow& before,
                                            const AccessibleWindow& after) {
    if (before.shown != after.shown) {
        return {{after.shown ? AccessibleChange::Shown : AccessibleChange::Hidden}};
    }
    std::vector<AccessibleEvent> events;
    if (!after.shown) return events;
    if (before.name != after.name) events.push_back({AccessibleChange::NameChanged});
    for (const Accessible& now : after.controls) {
        const Accessible* then = before.find(now.control);
        if (then == nullptr) continue;
        const auto tell = [&](AccessibleChange change) { events.push_back({change, now.control}); };
        if (then->name != now.name) tell(AccessibleChange::NameChanged);
        if (then->text != now.text) tell(AccessibleChange::TextChanged);
        if (then->range != now.range) tell(AccessibleChange::ValueChanged);
        if (then->check != now.check) tell(AccessibleChange::CheckChanged);
    }
    return events;
}

std::vector<AccessibleEvent> events_of_unload(const AccessibleWindow& last) {
    AccessibleWindow gone = last;
    gone.shown = false;
    return events_between(last, gone);
}

}  // namespace forms
