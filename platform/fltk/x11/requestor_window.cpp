#include "platform/fltk/x11/requestor_window.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <utility>

namespace fltk {

RequestorWindow::RequestorWindow() { Fl::add_system_handler(filter, this); }

RequestorWindow::~RequestorWindow() {
    Fl::remove_system_handler(filter);
    discard();
}

unsigned long RequestorWindow::id() {
    if (window_ == 0) {
        fl_open_display();
        window_ =
            XCreateSimpleWindow(fl_display, RootWindow(fl_display, fl_screen), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(fl_display, window_, PropertyChangeMask | StructureNotifyMask);
    }
    return window_;
}

void RequestorWindow::discard() {
    if (window_ == 0) return;
    discarded_ = std::exchange(window_, 0);
    XDestroyWindow(fl_display, discarded_);
}

int RequestorWindow::filter(void* event, void* self) {
    auto& requestor = *static_cast<RequestorWindow*>(self);
    const auto& xevent = *static_cast<const XEvent*>(event);
    const unsigned long window = xevent.xany.window;
    if (window != 0 && window == requestor.discarded_) return 1;
    if (window == 0 || window != requestor.window_) return 0;
    // Destroyed by another program: the id is no longer the program's to use.
    if (xevent.type == DestroyNotify) requestor.discarded_ = std::exchange(requestor.window_, 0);
    // A copy: the listener may replace itself while it runs.
    if (const Listener listener = requestor.listener_) listener(xevent);
    return 1;
}

}  // namespace fltk
