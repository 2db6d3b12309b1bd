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
// Another program may destroy the window: the listener hears of it, and the next use makes a
// new one. One per program: it installs an FLTK system handler, which FLTK keys by function
// alone.
class RequestorWindow {
public:
    using Clock = std::chrono::steady_clock;
    using Listener = std::function<void(const XEvent&)>;

    RequestorWindow();
    RequestorWindow(const RequestorWindow&) = delete;
    RequestorWindow& operator=(const RequestorWindow&) = delete;
    ~RequestorWindow();

    // The window (an X Window), created on first use; it reports property changes and its
    // destruction.
    unsigned long id();
    // Destroys the window: what other programs still write to it goes nowhere, and the next
    // id() is a new window.
    void discard();
    // Receives the events addressed to the window while FLTK dispatches events; an empty
    // listener drops them. The listener may replace itself.
    void listen(Listener listener) { listener_ = std::move(listener); }

private:
    static int filter(void* event, void* self);

    unsigned long window_ = 0;
    // The window discarded last. Events for it that were under way when it went are dropped:
    // FLTK would take an answer addressed to it for its own and read the gone window.
    unsigned long discarded_ = 0;
    Listener listener_;
};

}  // namespace fltk
