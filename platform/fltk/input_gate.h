#pragma once

namespace fltkui {

// Closed while a message box waits for its answer: the handler that opened it is still
// running, so timers and repaints must not start other handlers meanwhile.
class InputGate {
public:
    bool open() const { return open_; }

    // Closes the gate for its lifetime.
    class Closed {
    public:
        explicit Closed(InputGate& gate) : gate_(gate), was_open_(gate.open_) {
            gate_.open_ = false;
        }
        Closed(const Closed&) = delete;
        Closed& operator=(const Closed&) = delete;
        ~Closed() { gate_.open_ = was_open_; }

    private:
        InputGate& gate_;
        bool was_open_;
    };

private:
    bool open_ = true;
};

}  // namespace fltkui
