#include "platform/fltk/timer_peer.h"

#include <FL/Fl.H>

#include <chrono>

namespace fltk {

namespace {

double seconds(const forms::Timer& timer) {
    return std::chrono::duration<double>(timer.period()).count();
}

}  // namespace

TimerPeer::TimerPeer(forms::Timer& timer) : ControlPeer(timer) { show_state(); }

TimerPeer::~TimerPeer() { Fl::remove_timeout(due, this); }

void TimerPeer::show_state() {
    const forms::Timer* timer = control();
    const bool running = timer != nullptr && timer->running();
    if (running == running_) return;
    running_ = running;
    if (running_) {
        Fl::add_timeout(seconds(*timer), due, this);
    } else {
        Fl::remove_timeout(due, this);
    }
}

void TimerPeer::detach() {
    ControlPeer::detach();
    show_state();
}

void TimerPeer::due(void* data) {
    forms::Timer& timer = *static_cast<TimerPeer*>(data)->control();
    Fl::repeat_timeout(seconds(timer), due, data);
    timer.user_due();
}

}  // namespace fltk
