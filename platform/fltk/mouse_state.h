#pragma once

namespace fltk {

// The current FLTK event's mouse and modifier state in the model's terms (forms::MouseButton
// and forms::ShiftState bits).
int mouse_button_pressed();
int mouse_buttons_held();
int shift_state();

}  // namespace fltk
