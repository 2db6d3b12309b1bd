#include "platform/fltk/timer_peer.h"

#include <FL/Fl.H>

namespace fltkui {

TimerPeer::TimerPeer(forms::Timer& timer, const InputGate& gate)
    : ControlPeer(timer), gate_(gate), seconds_(timer.Interval() / 1000.0) {
    show_state();
}

TimerPeer::~TimerPeer() { Fl::remove_timeout(due, this); }

void TimerPeer::show_state() {
    const forms::Timer* timer = control();
    const bool enabled = timer != nullptr && timer->Enabled() && timer->Interval() > 0;
    if (enabled == running_) return;
    running_ = enabled;
    if (running_) {
        Fl::add_timeout(seconds_, due, this);
    } else {
        Fl::remove_timeout(due, this);
    }
}

void TimerPeer::detach() {
    ControlPeer::detach();
    show_state();
}

void TimerPeer::due(void* data) {
    auto& peer = *static_cast<TimerPeer*>(data);
    Fl::repeat_timeout(peer.seconds_, due, data);
    // Ticks that fall due while a message box is up are skipped, not saved up.
    if (peer.gate_.open()) peer.control()->user_due();
}

}  // namespace fltkui
