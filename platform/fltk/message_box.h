#pragma once

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <functional>
#include <string>

#include "platform/scaling/scale.h"

namespace fltk {

// The message box's window and its button, while it is shown.
struct MessageBoxShown {
    const Fl_Window& window;
    Fl_Widget& button;
};

// Shows a modal message box with the text, the title and one OK button, an error icon when the
// style asks for one (16), and waits until it is closed; the keyboard focus then goes back
// where it was. Its text, icon and button are sized at the desktop's scale. `shown` hears of
// it once it is on the screen.
void show_message_box(const std::string& text, int style, const std::string& title,
                      scaling::Scale scale,
                      const std::function<void(const MessageBoxShown&)>& shown);

}  // namespace fltk
