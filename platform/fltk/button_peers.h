#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>

#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"
#include "platform/scaling/scale.h"

namespace fltk {

// A command button. None is a default or cancel button: Enter and Esc press nothing.
class CommandButtonPeer final : public Fl_Button, public ControlPeer<forms::CommandButton> {
public:
    CommandButtonPeer(forms::CommandButton& button, scaling::Scale scale, int x, int y, int w,
                      int h);

    // A button's caption never changes.
    void show_state() override {}
};

class CheckBoxPeer final : public Fl_Check_Button, public ControlPeer<forms::CheckBox> {
public:
    // FLTK draws the box as tall as the caption's font, which follows the scale.
    CheckBoxPeer(forms::CheckBox& box, scaling::Scale scale, int x, int y, int w, int h);

    void show_state() override;
};

}  // namespace fltk
