#pragma once

#include <FL/Fl_Input.H>

#include "platform/fltk/peer.h"
#include "platform/forms/controls.h"

namespace fltkui {

// A single-line text box. Every change the user makes (typing, deleting, pasting, cutting)
// reaches the model as one edit; each typed character first goes to KeyPress, which may swallow
// or replace it. Text the model writes is shown without coming back as an edit.
class TextField final : public Fl_Input, public ControlPeer<forms::TextBox> {
public:
    TextField(forms::TextBox& box, int x, int y, int w, int h);

    void show_state() override;

private:
    int handle(int event) override;
    // The character a key press types, in the classic key codes; 0 for keys that type none.
    static int typed_character();
};

}  // namespace fltkui
