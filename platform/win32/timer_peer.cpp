// A timer: a window timer of the form's window that runs while the program's timer is enabled.
#include <chrono>

#include "platform/forms/controls.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

class TimerPeer final : public NativeControl {
public:
    TimerPeer(forms::Timer& timer, const ControlSite& site)
        : NativeControl(timer, nullptr, site), timer_(timer), form_window_(site.parent) {
        push();
    }

    void push() override {
        if (timer_.running() == running_) return;
        running_ = timer_.running();
        const auto id = static_cast<UINT_PTR>(this->id());
        if (running_) {
            SetTimer(form_window_, id, static_cast<UINT>(timer_.period().count()), nullptr);
        } else {
            KillTimer(form_window_, id);
        }
    }

    void due() override {
        // Nothing comes back once the timer stopped or its window closed, which takes this peer
        // with it. Otherwise the next report comes when the model says: after a stall, the
        // system's timer would report again at its own next beat.
        if (const auto next = timer_.user_due()) {
            SetTimer(form_window_, static_cast<UINT_PTR>(id()),
                     static_cast<UINT>(std::chrono::ceil<std::chrono::milliseconds>(*next).count()),
                     nullptr);
        }
    }

private:
    forms::Timer& timer_;
    HWND form_window_;
    bool running_ = false;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::Timer& timer, const ControlSite& site) {
    return std::make_unique<TimerPeer>(timer, site);
}

}  // namespace win32
