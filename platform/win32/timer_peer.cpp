// A timer: a window timer of the form's window that runs while the program's timer is enabled.
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

    void due() override { timer_.user_due(); }

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
