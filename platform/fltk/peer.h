#pragma once

namespace fltk {

// The native side of one control. The model pushes its state with show_state(); user input goes
// back through the control's user_* entry points for as long as the peer is attached.
class Peer {
public:
    Peer() = default;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;
    virtual ~Peer() = default;

    // Shows the control's current properties.
    virtual void show_state() = 0;
    // The control's form has been unloaded: the peer stops talking to it at once, although
    // the native widget itself may live until the event being handled is over.
    virtual void detach() = 0;
};

// A peer bound to one model control of type C.
template <class C>
class ControlPeer : public Peer {
public:
    explicit ControlPeer(C& control) : control_(&control) {}

    void detach() override { control_ = nullptr; }

protected:
    // The control, or nullptr once detached.
    C* control() const { return control_; }

private:
    C* control_;
};

}  // namespace fltk
