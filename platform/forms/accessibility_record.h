#pragma once

#include <map>
#include <vector>

#include "platform/forms/accessible.h"

namespace forms {

class Backend;
class Form;

// What assistive technology was last told of each of the program's windows: the one record of
// it, for every back end. Nothing is described until a back end says that assistive technology
// has asked for the windows. From then on each window is described once an event is over,
// compared with what was told, and the back end hears of it only when it changed: the first
// time as a whole, then as the events between the two descriptions, and at last as gone.
class AccessibilityRecord {
public:
    // From now on, each window is told of anew, as a whole first.
    void start_listening() {
        listening_ = true;
        told_.clear();
    }

    bool listening() const { return listening_; }

    // Tells the back end of each loaded window whose description changed since it was told.
    void tell(Backend& backend, const std::vector<Form*>& loaded);
    // The window is being unloaded: tells the back end it is gone, if it was told of.
    void unloaded(Backend& backend, const Form& form);

private:
    bool listening_ = false;
    std::map<const Form*, AccessibleWindow> told_;
};

}  // namespace forms
