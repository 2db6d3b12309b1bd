#pragma once

#include <utility>

namespace win32 {

// Lets one piece of user input into the program at a time. Win32 delivers some messages
// synchronously while the back end is busy in the program's name: SetWindowText sends EN_CHANGE,
// ShowWindow and DestroyWindow send WM_ACTIVATE, a message box runs a loop of its own. Such
// messages arrive while an event is still running and must not start another one; in particular,
// a text pushed by the program never comes back as the user's edit.
class ModelGate {
public:
    bool open() const { return !busy_; }

    // Runs the input if no event is running; reports whether it ran.
    template <class Input>
    bool deliver(Input&& input) {
        if (busy_) return false;
        const Busy busy(busy_);
        std::forward<Input>(input)();
        return true;
    }

private:
    class Busy {
    public:
        explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        ~Busy() { flag_ = false; }

    private:
        bool& flag_;
    };

    bool busy_ = false;
};

}  // namespace win32
