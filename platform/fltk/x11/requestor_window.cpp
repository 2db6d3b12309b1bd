#include "platform/fltk/x11/requestor_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <poll.h>

namespace fltk {

namespace {

Bool answers_to(Display*, XEvent* event, XPointer window) {
    return event->xany.window == *reinterpret_cast<Window*>(window) &&
           (event->type == SelectionNotify || event->type == PropertyNotify);
}

}  // namespace

RequestorWindow::RequestorWindow() { Fl::add_system_handler(filter, this); }

RequestorWindow::~RequestorWindow() {
    Fl::remove_system_handler(filter);
    if (window_ != 0) XDestroyWindow(fl_display, window_);
}

unsigned long RequestorWindow::id() {
    if (window_ == 0) {
        fl_open_display();
        window_ =
            XCreateSimpleWindow(fl_display, RootWindow(fl_display, fl_screen), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(fl_display, window_, PropertyChangeMask);
    }
    return window_;
}

bool RequestorWindow::next_event(XEvent& event, Clock::time_point deadline) {
    Window window = id();
    while (!XCheckIfEvent(fl_display, &event, answers_to, reinterpret_cast<XPointer>(&window))) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd connection{ConnectionNumber(fl_display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
    return true;
}

int RequestorWindow::filter(void* event, void* self) {
    auto& requestor = *static_cast<RequestorWindow*>(self);
    const auto& xevent = *static_cast<const XEvent*>(event);
    if (requestor.window_ == 0 || xevent.xany.window != requestor.window_) return 0;
    if (requestor.listener_) requestor.listener_(xevent);
    return 1;
}

}  // namespace fltk
