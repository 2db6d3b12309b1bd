#pragma once

#include <string>

#include "platform/scaling/scale.h"

namespace fltk {

// Shows a modal message box with the text, the title and one OK button, an error icon when the
// style asks for one (16), and waits until it is closed; the keyboard focus then goes back
// where it was. Its text, icon and button are sized at the desktop's scale.
void show_message_box(const std::string& text, int style, const std::string& title,
                      scaling::Scale scale);

}  // namespace fltk
