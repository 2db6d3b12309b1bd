#pragma once

#include "platform/win32/windows_api.h"

#include <memory>
#include <optional>
#include <vector>

#include "platform/forms/accessible.h"
#include "platform/forms/form.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"

namespace win32 {

class Win32Backend;

// A loaded form's native window: a fixed frame around the designed client area, with a native
// peer for each control, created in TabIndex order so that Tab follows it.
class FormWindow {
public:
    FormWindow(Win32Backend& backend, forms::Form& form);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow() { destroy(); }

    HWND handle() const { return window_.get(); }
    forms::Form& form() const { return form_; }

    // Caption, position and visibility as the program left them.
    void push();
    void push(forms::Control& control);
    // Destroys the native window; the object stays usable until its messages are done.
    void destroy();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

    void create_controls();
    // Tells screen readers what the form's description says now, where the system's accessible
    // objects do not know it themselves.
    void tell_screen_readers();
    void activated();
    // The window's outer rectangle, in twips, is the form's Left, Top, Width and Height.
    void report_geometry();
    NativeControl* peer(HWND window) const;
    NativeControl* peer(int id) const;

    Win32Backend& backend_;
    forms::Form& form_;
    OwnedWindow window_;
    std::vector<std::unique_ptr<NativeControl>> controls_;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
    // The description screen readers were last told; none before the controls exist.
    std::optional<forms::AccessibleWindow> told_;
};

}  // namespace win32
