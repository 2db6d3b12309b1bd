#pragma once

#include "platform/win32/windows_api.h"

#include <memory>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/form.h"
#include "platform/scaling/scale.h"
#include "platform/win32/handles.h"
#include "platform/win32/native_control.h"
#include "platform/win32/window_messages.h"

namespace win32 {

class Win32Backend;

// A loaded form's native window: a fixed frame around the designed client area, with a native
// peer for each control, created in TabIndex order so that Tab follows it. It shows the design at
// the scale of the monitor it stands on, and lays itself out again when that scale changes (the
// window moved to another monitor, or the user chose another scale).
class FormWindow final : private MessageHandler {
public:
    FormWindow(Win32Backend& backend, forms::Form& form);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow() { destroy(); }

    HWND window() const { return window_.get(); }
    forms::Form& form() const { return form_; }
    scaling::Scale scale() const { return scale_; }

    // Caption, position and visibility as the program left them.
    void push();
    void push(forms::Control& control);
    // Destroys the native window; the object stays usable until its messages are done.
    void destroy();
    // The window's outer rectangle, in twips at the screen's scale, is the form's Left, Top,
    // Width and Height.
    void report_geometry();
    // Tells screen readers what the form's description says now, where the system's accessible
    // objects do not know it themselves.
    void tell_screen_readers(const forms::AccessibleUpdate& update);

private:
    LRESULT on_message(const WindowMessage& message) override;

    void create_controls();
    void activated();
    void show_icons();
    // The outer size whose client area is the design's at a scale.
    SIZE frame_size(scaling::Scale scale) const;
    // Puts the window's corner here, its client area at the design's size.
    void place(POINT corner);
    // WM_DPICHANGED: the window now shows at this scale, and the system suggests its rectangle.
    void rescale(scaling::Scale scale, const RECT& suggested);
    NativeControl* peer(HWND child) const;
    NativeControl* peer(int id) const;

    Win32Backend& backend_;
    forms::Form& form_;
    OwnedWindow window_;
    scaling::Scale scale_;
    std::vector<std::unique_ptr<NativeControl>> controls_;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
};

}  // namespace win32
