#include "platform/fltk/x11/clipboard_handoff.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include "platform/fltk/x11/selection_owner.h"

namespace fltk {

void hand_clipboard_to_manager(RequestorWindow& requestor, std::chrono::milliseconds limit) {
    if (fl_display == nullptr) return;
    const Atom clipboard = XInternAtom(fl_display, "CLIPBOARD", False);
    const Atom manager = XInternAtom(fl_display, "CLIPBOARD_MANAGER", False);
    if (!program_owns_selection(clipboard) || XGetSelectionOwner(fl_display, manager) == None) {
        return;
    }
    // The property names the targets to save: UTF-8 text, the one form that holds any text.
    const Atom property = XInternAtom(fl_display, "VARNEL_SAVE_TARGETS", False);
    const Atom utf8_string = XInternAtom(fl_display, "UTF8_STRING", False);
    XChangeProperty(fl_display, requestor.id(), property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&utf8_string), 1);
    XConvertSelection(fl_display, manager, XInternAtom(fl_display, "SAVE_TARGETS", False), property,
                      requestor.id(), fl_event_time);

    // Whether it saved the text or refused, the manager's answer ends the wait.
    bool answered = false;
    requestor.listen([&](const XEvent& event) {
        if (event.type == SelectionNotify && event.xselection.selection == manager) {
            answered = true;
        }
    });
    // FLTK serves the manager's requests for the text meanwhile.
    const auto deadline = RequestorWindow::Clock::now() + limit;
    while (!answered) {
        const std::chrono::duration<double> left = deadline - RequestorWindow::Clock::now();
        if (left.count() <= 0) break;
        Fl::wait(left.count());
    }
    requestor.listen(nullptr);
}

}  // namespace fltk
