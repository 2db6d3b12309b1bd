#pragma once

#include <FL/Fl_Window.H>

#include <memory>
#include <utility>
#include <vector>

#include "platform/fltk/backend_services.h"
#include "platform/fltk/peer.h"
#include "platform/fltk/x11/window_manager.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"

namespace fltk {

// The native window of one loaded form and the peers of its controls. Its client area has the
// form's size at the desktop's scale and cannot be resized; the window manager places it unless
// the program sets its position. It reports its outer rectangle to the form, in twips at that
// scale, whenever it is placed or moved.
class NativeWindow final : public Fl_Window {
public:
    // frame: the frame extents last seen on any of the program's windows, for windows that
    // have not been framed yet; updated as windows are framed.
    NativeWindow(forms::Form& form, const BackendServices& services, FrameExtents& frame);

    // Shows the form's caption, visibility and position.
    void show_state();
    // Shows one control's properties.
    void show_state(const forms::Control& control);
    // Raises the window and gives it the focus.
    void bring_to_front();
    // The window became the active one (the focus moved to it, or a click is about to).
    void report_activation();
    // The form has been unloaded: stop reporting to it and its controls.
    void detach();

    // The form, or null once it has been unloaded.
    const forms::Form* form() const { return form_; }
    // The widget that shows a control (null for one that has none, a timer), and the control a
    // widget shows (null for none).
    const Fl_Widget* widget_of(const forms::Control& control) const;
    const forms::Control* control_of(const Fl_Widget& widget) const;
    // Whether the window has been drawn on the screen: it is mapped, and the window manager has
    // done with it what it does first.
    bool drawn() const { return drawn_; }

private:
    int handle(int event) override;
    void draw() override;
    void resize(int x, int y, int w, int h) override;

    void add_peers();
    Peer* peer_of(const forms::Control& control) const;
    void report_geometry();
    // Shows the hidden window; one the program placed is created where it placed it.
    void show_where_placed();

    forms::Form* form_;
    BackendServices services_;
    FrameExtents& frame_;
    std::vector<std::pair<const forms::Control*, std::unique_ptr<Peer>>> peers_;
    // The outer position last reported to the form, in twips.
    float reported_left_ = 0;
    float reported_top_ = 0;
    bool drawn_ = false;
};

// Deletes a native window once the event being handled is over: its widgets may be running a
// callback right now (the Close button of the window it closes).
struct RetireWindow {
    void operator()(NativeWindow* window) const;
};

using NativeWindowPtr = std::unique_ptr<NativeWindow, RetireWindow>;

}  // namespace fltk
