#pragma once

#include "platform/win32/windows_api.h"

#include <functional>

namespace win32 {

// Hears when assistive technology first asks for the program's windows: a screen reader says it
// runs (the system's screen reader flag, on at the start or turned on later), or a client asks
// one of the program's windows, the system's own controls among them, for its accessible object
// (WM_GETOBJECT). Until then the program describes nothing to anybody. It watches every message
// sent to the thread's windows, before the window's own procedure takes it, so that what the
// client then reads already carries the program's annotations.
class AssistiveTechnologyWatch {
public:
    // asked runs once, when it is heard.
    explicit AssistiveTechnologyWatch(std::function<void()> asked);
    AssistiveTechnologyWatch(const AssistiveTechnologyWatch&) = delete;
    AssistiveTechnologyWatch& operator=(const AssistiveTechnologyWatch&) = delete;
    ~AssistiveTechnologyWatch();

    // Whether a screen reader runs now; if one does, it counts as asking.
    void look();

private:
    static LRESULT CALLBACK sent_message(int code, WPARAM wparam, LPARAM lparam);
    void heard();

    std::function<void()> asked_;
    HHOOK hook_ = nullptr;
};

}  // namespace win32
