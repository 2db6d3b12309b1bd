#pragma once

#include <FL/Fl_Widget.H>

#include <string>

#include "platform/fltk/fonts.h"
#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"
#include "platform/scaling/scale.h"

namespace fltk {

// A label: its caption on an opaque background, wrapped at the right edge, lines broken at
// character 13. It takes no focus.
class LabelPeer final : public Fl_Widget, public ControlPeer<forms::Label> {
public:
    LabelPeer(forms::Label& label, scaling::Scale scale, int x, int y, int w, int h);

    void show_state() override;

private:
    void draw() override;

    std::string text_;
    Fl_Color back_ = FL_BACKGROUND_COLOR;
    Fl_Color fore_ = FL_FOREGROUND_COLOR;
    scaling::Scale scale_;
    FontChoice font_;
};

}  // namespace fltk
