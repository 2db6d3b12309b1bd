#pragma once

#include "platform/fltk/input_gate.h"
#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"

namespace fltkui {

// A timer: while enabled, a repeating timeout of Interval milliseconds.
class TimerPeer final : public ControlPeer<forms::Timer> {
public:
    TimerPeer(forms::Timer& timer, const InputGate& gate);
    ~TimerPeer() override;

    void show_state() override;
    void detach() override;

private:
    static void due(void* peer);

    const InputGate& gate_;
    double seconds_ = 0;
    bool running_ = false;
};

}  // namespace fltkui
