#include "platform/fltk/timer_peer.h"

#include <FL/Fl.H>

#include <chrono>
#include <optional>

namespace fltk {

namespace {

double seconds(std::chrono::nanoseconds duration) {
    return std::chrono::duration<double>(duration).count();
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
        Fl::add_timeout(seconds(timer->period()), due, this);
    } else {
        Fl::remove_timeout(due, this);
    }
}

void TimerPeer::detach() {
    ControlPeer::detach();
    show_state();
}

void TimerPeer::due(void* data) {
    // A timeout of its own for each report, from the time the model gives: FLTK's repeating
    // timeout would catch up after a stall with several reports at once.
    const std::optional<std::chrono::nanoseconds> next =
        static_cast<TimerPeer*>(data)->control()->user_due();
    if (next) Fl::add_timeout(seconds(*next), due, data);
}

}  // namespace fltk
