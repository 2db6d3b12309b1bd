#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>

#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"

namespace fltkui {

// A command button. None is a default or cancel button: Enter and Esc press nothing.
class CommandButtonView final : public Fl_Button, public ControlPeer<forms::CommandButton> {
public:
    CommandButtonView(forms::CommandButton& button, int x, int y, int w, int h);

    void show_state() override;
};

class CheckBoxView final : public Fl_Check_Button, public ControlPeer<forms::CheckBox> {
public:
    CheckBoxView(forms::CheckBox& box, int x, int y, int w, int h);

    void show_state() override;
};

}  // namespace fltkui
