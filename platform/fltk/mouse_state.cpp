#include "platform/fltk/mouse_state.h"

#include <FL/Fl.H>

#include "platform/forms/picture_box.h"

namespace fltk {

int mouse_button_pressed() {
    switch (Fl::event_button()) {
        case FL_LEFT_MOUSE:
            return forms::LeftButton;
        case FL_RIGHT_MOUSE:
            return forms::RightButton;
        case FL_MIDDLE_MOUSE:
            return forms::MiddleButton;
        default:
            return 0;
    }
}

int mouse_buttons_held() {
    int buttons = 0;
    if (Fl::event_state(FL_BUTTON1) != 0) buttons |= forms::LeftButton;
    if (Fl::event_state(FL_BUTTON3) != 0) buttons |= forms::RightButton;
    if (Fl::event_state(FL_BUTTON2) != 0) buttons |= forms::MiddleButton;
    return buttons;
}

int shift_state() {
    int shift = 0;
    if (Fl::event_state(FL_SHIFT) != 0) shift |= forms::ShiftKey;
    if (Fl::event_state(FL_CTRL) != 0) shift |= forms::CtrlKey;
    if (Fl::event_state(FL_ALT) != 0) shift |= forms::AltKey;
    return shift;
}

}  // namespace fltk
