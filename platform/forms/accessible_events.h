#pragma once

#include <vector>

#include "platform/forms/accessible.h"

namespace forms {

class Control;

// What a screen reader is told when something it reads changes.
enum class AccessibleChange { Shown, Hidden, NameChanged, TextChanged, ValueChanged, CheckChanged };

struct AccessibleEvent {
    AccessibleChange change = AccessibleChange::TextChanged;
    ObjectId control = NoObject;  // none: the window itself
    bool operator==(const AccessibleEvent&) const = default;
};

// The events that tell the difference between two descriptions of one window, the window's
// first: it was shown or hidden; or, while it stays shown, each control's name, text, value or
// check state that changed, in the window's order. A window that appears or disappears is told
// of as a whole, and nothing is told of a window nobody sees.
std::vector<AccessibleEvent> events_between(const AccessibleWindow& before,
                                            const AccessibleWindow& after);

// The events that tell of a window that is unloaded, last described as `last`: it disappears
// if it was shown; nobody is told of one that was hidden.
std::vector<AccessibleEvent> events_of_unload(const AccessibleWindow& last);

}  // namespace forms
