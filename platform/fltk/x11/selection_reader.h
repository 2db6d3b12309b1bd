#pragma once

#include <FL/Fl_Widget.H>

#include <memory>
#include <optional>
#include <string>

#include "platform/fltk/x11/requestor_window.h"
#include "platform/fltk/x11/selection_transfer.h"

namespace fltk {

// Pastes the text of an X selection into a widget, as Fl::paste does, in place of FLTK 1.3's own
// receiver: that one overruns its buffer when the owner sends a large text incrementally ("INCR",
// as xclip does from 1 MiB on) and crashes the program, and it waits for the owner without end.
//
// The selection's owner is another program, which may be slow, stuck or hostile. So the transfer
// runs from the event loop, step by step as the owner's answers arrive: meanwhile the windows
// repaint, take input and close at once, and the owner cannot hold the program still. (A paste
// that waited for its text, as one on Windows does, would leave the program at the owner's mercy
// for as long as the receiver's limits allow, seconds.) The text lands where the field's caret
// or selection is when it arrives, as in other X programs; a new paste replaces one still
// waiting. Each transfer asks on a requestor window of its own, which goes with it: whatever
// its owner still sends afterwards goes nowhere and cannot mix with a later paste.
class SelectionReader {
public:
    enum class Source { Primary, Clipboard };

    explicit SelectionReader(RequestorWindow& window);
    SelectionReader(const SelectionReader&) = delete;
    SelectionReader& operator=(const SelectionReader&) = delete;
    ~SelectionReader();

    // Asks the source's owner for its text; when it comes, hands it to the receiver as an
    // FL_PASTE event. Pastes nothing when the owner has no text or breaks the receiver's rules
    // (SelectionTransfer).
    void paste(Fl_Widget& receiver, Source source);
    // The receiver is going away (its window closes): a paste into it that is still under way
    // ends now, with nothing pasted.
    void forget(const Fl_Widget& receiver);

private:
    struct Paste;

    void ask();
    void receive(const XEvent& event);
    void take_step(SelectionTransfer::Next next);
    // Ends the paste under way; hands the text, if any, to its receiver.
    void finish(std::optional<std::string> text);
    // Ends the paste under way, pasting nothing, and returns its receiver.
    Fl_Widget* end_paste();
    static void time_passed(void* self);

    RequestorWindow& window_;
    std::unique_ptr<Paste> paste_;
};

}  // namespace fltk
