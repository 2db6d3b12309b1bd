#pragma once

#include <chrono>

#include "platform/fltk/x11/requestor_window.h"

namespace fltk {

// At the program's end: hands the text it left on the CLIPBOARD to the clipboard manager, if
// one runs, so that the text can still be pasted once the program is gone (X keeps no copy of
// a selection whose owner has quit). Asks the manager to save the clipboard (SAVE_TARGETS) and
// serves its requests until it answers, for at most `limit`. Returns at once when the program
// does not own the CLIPBOARD or no manager runs.
void hand_clipboard_to_manager(RequestorWindow& requestor, std::chrono::milliseconds limit);

}  // namespace fltk
