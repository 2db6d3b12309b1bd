// Command buttons and check boxes: BUTTON controls whose clicks go to the program.
#include "platform/forms/controls.h"
#include "platform/win32/native_control.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

// Never BS_DEFPUSHBUTTON: no button of the program is a window's default button.
class ButtonPeer final : public NativeControl {
public:
    ButtonPeer(forms::CommandButton& button, const ControlSite& site)
        : NativeControl(
              button,
              create_child(site, button, L"BUTTON", BS_PUSHBUTTON, 0, widen(button.Caption())),
              site),
          button_(button) {}

    void push() override { set_window_text(window(), widen(button_.Caption())); }

    void command(int notification) override {
        if (notification == BN_CLICKED) button_.user_click();
    }

private:
    forms::CommandButton& button_;
};

// A three-state box that does not tick itself: the program decides its value, the peer shows it.
class CheckBoxPeer final : public NativeControl {
public:
    CheckBoxPeer(forms::CheckBox& box, const ControlSite& site)
        : NativeControl(box, create_child(site, box, L"BUTTON", BS_3STATE, 0, widen(box.Caption())),
                        site),
          box_(box) {
        push();
    }

    void push() override {
        static constexpr WPARAM States[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
        SendMessageW(window(), BM_SETCHECK, States[box_.Value()], 0);
    }

    void command(int notification) override {
        if (notification == BN_CLICKED) box_.user_click();
    }

private:
    forms::CheckBox& box_;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::CommandButton& button, const ControlSite& site) {
    return std::make_unique<ButtonPeer>(button, site);
}

std::unique_ptr<NativeControl> make_peer(forms::CheckBox& box, const ControlSite& site) {
    return std::make_unique<CheckBoxPeer>(box, site);
}

}  // namespace win32
