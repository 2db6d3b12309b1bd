#pragma once

#include "platform/win32/windows_api.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/accessible.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"

// The property service's interface, from <oleacc.h>, which only the implementation includes: it
// defines the service's identifiers there, after <initguid.h>.
struct IAccPropServices;

namespace win32 {

// What screen readers are told of a window's controls beyond what the system's own accessible
// objects know. The native controls keep those objects, so that screen readers keep their
// built-in support for edits, scroll bars and buttons; Dynamic Annotation (the system's property
// service) adds to them, for Active Accessibility and UI Automation alike, what the model says:
// each control's name and role, and that the controls the model does not tell of are skipped.
//
// The picture boxes, windows of the back end's own class, are told of the same way (a graphic
// and its name) rather than by answering WM_GETOBJECT with an object of their own: the system's
// object of any window already reports its place, state and focus, pictures have nothing more
// to say, and one path for every control leaves nothing about pictures to the back end.
//
// A label's tie to the field it names is told through the field's name. Active Accessibility
// has no relation for it but the order of creation (a label created right before its field),
// which here is the order of stacking and would lay the labels over the fields; UI Automation's
// LabeledBy names an element, which annotations of texts and numbers cannot give.
//
// Where the service is missing or refuses (Wine implements none of it), nothing is told and the
// program runs on: screen readers then hear the system's objects alone.
class AccessibleAnnotations {
public:
    AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;
    ~AccessibleAnnotations();

    // Tells the controls' windows what `now` says of them, all of it when `before` is null (the
    // window is new), otherwise what differs from `before`, what screen readers were last told.
    void tell(const std::vector<std::unique_ptr<NativeControl>>& peers,
              const forms::AccessibleWindow* before, const forms::AccessibleWindow& now);

private:
    // What one control's window is told: a name and role, or that it is skipped.
    struct Told {
        bool skipped = true;
        std::wstring name;
        long role = 0;
        bool operator==(const Told&) const = default;
    };
    static Told told(const forms::AccessibleWindow& window, const forms::Control& control);
    void tell(HWND window, const Told& what, const Told* before);

    ComPtr<IAccPropServices> services_;
};

}  // namespace win32
