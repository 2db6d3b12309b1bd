#pragma once

#include "platform/win32/windows_api.h"

#include <memory>
#include <string>

#include "platform/forms/control.h"
#include "platform/scaling/scale.h"

namespace forms {
class CheckBox;
class CommandButton;
class Image;
class Label;
class PictureBox;
class TextBox;
class Timer;
class VScrollBar;
}  // namespace forms

namespace win32 {

class Win32Backend;

// Where a native control is made: its form's window, its identifier there, the scale the window
// shows at, and the back end.
struct ControlSite {
    Win32Backend& backend;
    HWND parent;
    int id;
    scaling::Scale scale;
};

// A control's native peer. It shows the control's state as the program last left it and passes
// the user's input on to the control's entry points; it keeps no state of the program's own.
class NativeControl {
public:
    NativeControl(forms::Control& control, HWND window, const ControlSite& site)
        : control_(control),
          window_(window),
          id_(site.id),
          backend_(site.backend),
          scale_(site.scale) {}
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;
    virtual ~NativeControl() = default;

    forms::Control& control() const { return control_; }
    // The child window; null for a control that has none (a timer).
    HWND window() const { return window_; }
    int id() const { return id_; }
    Win32Backend& backend() const { return backend_; }
    scaling::Scale scale() const { return scale_; }

    // Brings the native control in line with the program's control.
    virtual void push() = 0;
    // Lays the control out again at the scale its window now shows at: its place, its font, and
    // whatever it draws itself.
    virtual void rescale(scaling::Scale scale);
    // The font the control's text is drawn in, at its scale.
    virtual HFONT font() const;

    // What the form's window hears about this control.
    virtual void command(int /*notification*/) {}
    virtual void scroll(int /*request*/) {}
    // WM_CTLCOLORSTATIC: the brush to paint with, or null for the system's colours.
    virtual HBRUSH colour(HDC /*dc*/) { return nullptr; }
    virtual void draw(const DRAWITEMSTRUCT& /*item*/) {}
    virtual void due() {}

protected:
    // A peer that creates its window only once its own members are made, since the window's
    // messages reach it from the first (a window of our classes, window_messages.h), attaches
    // the window then.
    NativeControl(forms::Control& control, const ControlSite& site)
        : NativeControl(control, nullptr, site) {}
    void attach(HWND window) { window_ = window; }

private:
    forms::Control& control_;
    HWND window_;
    int id_;
    Win32Backend& backend_;
    scaling::Scale scale_;
};

// A child window at the control's designed place at the site's scale, in the default font.
// The creation data goes with it: for a window of our classes, its message handler
// (window_messages.h).
HWND create_child(const ControlSite& site, const forms::Control& control,
                  const wchar_t* window_class, DWORD style, DWORD ex_style = 0,
                  const std::wstring& text = {}, void* creation_data = nullptr);

// The peer that suits the control's kind.
std::unique_ptr<NativeControl> make_native_control(forms::Control& control,
                                                   const ControlSite& site);

// One peer maker per kind of control, for make_native_control.
std::unique_ptr<NativeControl> make_peer(forms::Label& label, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::TextBox& box, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::VScrollBar& bar, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::CheckBox& box, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::CommandButton& button, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::Image& image, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::PictureBox& box, const ControlSite& site);
std::unique_ptr<NativeControl> make_peer(forms::Timer& timer, const ControlSite& site);

}  // namespace win32
