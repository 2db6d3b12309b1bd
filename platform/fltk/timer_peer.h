#pragma once

#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"

namespace fltk {

// A timer: while it runs, a timeout that reports it due, set again each time for as long as the
// model says.
class TimerPeer final : public ControlPeer<forms::Timer> {
public:
    explicit TimerPeer(forms::Timer& timer);
    ~TimerPeer() override;

    void show_state() override;
    void detach() override;

private:
    static void due(void* data);

    bool running_ = false;
};

}  // namespace fltk
