#include "platform/fltk/x11/selection_owner.h"

#include <FL/x.H>

// FLTK exports its message window but declares it for its own sources only.
extern Window fl_message_window;

namespace fltk {

bool program_owns_selection(unsigned long selection) {
    fl_open_display();
    return XGetSelectionOwner(fl_display, selection) == fl_message_window;
}

}  // namespace fltk
