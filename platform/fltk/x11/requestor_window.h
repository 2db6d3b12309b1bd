#pragma once

#include <chrono>
#include <functional>
#include <utility>

// Xlib's event, declared here so that this header brings in none of Xlib's macros (which clash
// with names of the forms runtime, such as KeyPress).
union _XEvent;
typedef union _XEvent XEvent;

namespace fltk {

// An unmapped window of the program's own on which it asks other programs for their selections
// and receives their answers. FLTK never sees the events addressed to it (its own selection code
// would take their properties for itself): they go to the listener, if there is one, or nowhere.
// One per program: it installs an FLTK system handler, which FLTK keys by function alone.
class RequestorWindow {
public:
    using Clock = std::chrono::steady_clock;
    using Listener = std::function<void(const XEvent&)>;

    RequestorWindow();
    RequestorWindow(const RequestorWindow&) = delete;
    RequestorWindow& operator=(const RequestorWindow&) = delete;
    ~RequestorWindow();

    // The window (an X Window), created on first use; it reports property changes.
    unsigned long id();
    // Receives the events addressed to the window while FLTK dispatches events; an empty
    // listener drops them.
    void listen(Listener listener) { listener_ = std::move(listener); }
    // Takes the next selection or property event addressed to the window from the X connection,
    // leaving every other event queued for FLTK; false when none arrives before the deadline.
    bool next_event(XEvent& event, Clock::time_point deadline);

private:
    static int filter(void* event, void* self);

    unsigned long window_ = 0;
    Listener listener_;
};

}  // namespace fltk
