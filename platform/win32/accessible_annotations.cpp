// <initguid.h> first: <oleacc.h> then defines the property service's identifiers here, the one
// place that uses them.
#include <initguid.h>

#include "platform/win32/accessible_annotations.h"

#include <oleacc.h>

#include <algorithm>
#include <initializer_list>

#include "platform/forms/accessible_events.h"
#include "platform/forms/control.h"
#include "platform/win32/uia_properties.h"
#include "platform/win32/variants.h"
#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// The property service takes object identifiers as DWORD; the client's is the negative LONG
// OBJID_CLIENT, passed as its bits.
constexpr DWORD ClientObject = static_cast<DWORD>(OBJID_CLIENT);

long msaa_role(forms::AccessibleRole role) {
    switch (role) {
        case forms::AccessibleRole::Window:
            return ROLE_SYSTEM_WINDOW;
        case forms::AccessibleRole::Alert:
            return ROLE_SYSTEM_ALERT;
        case forms::AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case forms::AccessibleRole::EditableText:
            return ROLE_SYSTEM_TEXT;
        case forms::AccessibleRole::ScrollBar:
            return ROLE_SYSTEM_SCROLLBAR;
        case forms::AccessibleRole::CheckBox:
            return ROLE_SYSTEM_CHECKBUTTON;
        case forms::AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case forms::AccessibleRole::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
    }
    return ROLE_SYSTEM_CLIENT;
}

HWND window_of(const std::vector<std::unique_ptr<NativeControl>>& peers, forms::ObjectId control) {
    const auto found = std::ranges::find_if(
        peers, [&](const auto& peer) { return peer->control().id() == control; });
    return found == peers.end() ? nullptr : (*found)->window();
}

}  // namespace

AccessibleAnnotations::AccessibleAnnotations() {
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        services_.reset(services);
    }
}

AccessibleAnnotations::~AccessibleAnnotations() = default;

AccessibleAnnotations::Told AccessibleAnnotations::told(const forms::AccessibleWindow& window,
                                                        const forms::Control& control) {
    const forms::Accessible* entry = window.find(control);
    if (entry == nullptr) return {};
    return {false, widen(entry->name), msaa_role(entry->role)};
}

void AccessibleAnnotations::tell(const std::vector<std::unique_ptr<NativeControl>>& peers,
                                 const forms::AccessibleWindow* before,
                                 const forms::AccessibleWindow& now) {
    if (!services_) return;
    for (const auto& peer : peers) {
        if (peer->window() == nullptr) continue;
        const Told what = told(now, peer->control());
        if (before == nullptr) {
            tell(peer->window(), what, nullptr);
        } else if (const Told then = told(*before, peer->control()); what != then) {
            tell(peer->window(), what, &then);
        }
    }
    if (before == nullptr) return;
    // The system tells screen readers itself when a control's text, value or check state
    // changes, or a window is shown or hidden; a name it has from here, it cannot know changed.
    for (const forms::AccessibleEvent& event : forms::events_between(*before, now)) {
        if (event.change != forms::AccessibleChange::NameChanged ||
            event.control == forms::NoObject) {
            continue;
        }
        if (const HWND window = window_of(peers, event.control)) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
        }
    }
}

void AccessibleAnnotations::tell(HWND window, const Told& what, const Told* before) {
    // Failures change nothing a user can do: the control keeps the system's object as it is.
    const auto set = [&](const GUID& property, VARIANT value) {
        services_->SetHwndProp(window, ClientObject, CHILDID_SELF, property, value);
    };
    const auto clear = [&](std::initializer_list<GUID> properties) {
        services_->ClearHwndProps(window, ClientObject, CHILDID_SELF, properties.begin(),
                                  static_cast<int>(properties.size()));
    };
    if (what.skipped) {
        // Screen readers skip invisible objects, and those outside UI Automation's control and
        // content views.
        if (before != nullptr) clear({PROPID_ACC_NAME, UiaName, PROPID_ACC_ROLE});
        set(PROPID_ACC_STATE, variant_of(long{STATE_SYSTEM_INVISIBLE}));
        set(UiaIsControlElement, variant_of(false));
        set(UiaIsContentElement, variant_of(false));
        return;
    }
    if (before != nullptr && before->skipped) {
        clear({PROPID_ACC_STATE, UiaIsControlElement, UiaIsContentElement});
    }
    if (before == nullptr || before->name != what.name) {
        for (const GUID& property : {PROPID_ACC_NAME, UiaName}) {
            services_->SetHwndPropStr(window, ClientObject, CHILDID_SELF, property,
                                      what.name.c_str());
        }
    }
    if (before == nullptr || before->role != what.role) set(PROPID_ACC_ROLE, variant_of(what.role));
}

}  // namespace win32
