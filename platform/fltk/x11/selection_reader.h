#pragma once

#include <FL/Fl_Widget.H>

#include "platform/fltk/x11/requestor_window.h"

namespace fltk {

// Pastes the text of an X selection into a widget, as Fl::paste does, in place of FLTK 1.3's own
// receiver: that one overruns its buffer when the owner sends a large text incrementally ("INCR",
// as xclip does from 1 MiB on) and crashes the program.
//
// The transfer is synchronous, as a paste on Windows is: while it lasts, the program takes only
// the owner's answers from the X connection and leaves every other event queued, so a paste
// never interleaves with the user's next keys and no handler runs meanwhile.
class SelectionReader {
public:
    enum class Source { Primary, Clipboard };

    explicit SelectionReader(RequestorWindow& window) : window_(window) {}

    // Asks the source's owner for its text and hands it to the receiver as an FL_PASTE event.
    // Pastes nothing when the owner has no text, stops answering for two seconds, or sends more
    // than a text field can hold.
    void paste(Fl_Widget& receiver, Source source);

private:
    RequestorWindow& window_;
};

}  // namespace fltk
