#include "platform/fltk/x11/selection_reader.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "platform/fltk/x11/selection_owner.h"
#include "platform/fltk/x11/selection_transfer.h"

namespace fltk {

namespace {

using Clock = RequestorWindow::Clock;
using Next = SelectionTransfer::Next;

// FLTK's text fields count their text in ints.
constexpr std::size_t MaxText = INT_MAX;
// How long the owner may take for each answer.
constexpr auto StepTimeout = std::chrono::seconds(2);
// The most a single XGetWindowProperty asks for, in 32-bit units: 4 MiB.
constexpr long ReadLongs = 1L << 20;

struct XFreeDeleter {
    void operator()(unsigned char* data) const { XFree(data); }
};

// A window property as it was read, then deleted (which, in an incremental transfer, asks the
// owner for the next piece).
struct Property {
    Atom type = None;
    int format = 0;
    // As Xlib returns them: bytes for format 8, one long per item for format 32.
    std::string data;

    // The size an INCR property announces: a lower bound of the whole text's.
    std::size_t announced_size() const {
        long value = 0;
        if (format == 32 && data.size() >= sizeof value) {
            std::memcpy(&value, data.data(), sizeof value);
        }
        return value > 0 ? static_cast<std::size_t>(value) : 0;
    }
};

// Reads a property in pieces of at most ReadLongs, stopping early once it holds more than limit
// bytes; std::nullopt when the property does not exist.
std::optional<Property> take_property(Window window, Atom name, std::size_t limit) {
    Property property;
    long offset = 0;
    unsigned long left = 0;
    do {
        int format = 0;
        unsigned long items = 0;
        unsigned char* raw = nullptr;
        if (XGetWindowProperty(fl_display, window, name, offset, ReadLongs, False, AnyPropertyType,
                               &property.type, &format, &items, &left, &raw) != Success) {
            return std::nullopt;
        }
        const std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
        if (property.type == None) return std::nullopt;
        property.format = format;
        const std::size_t item_size = format == 32 ? sizeof(long) : format / 8;
        property.data.append(reinterpret_cast<const char*>(raw), items * item_size);
        offset += static_cast<long>(items * (format / 8) / 4);
    } while (left > 0 && property.data.size() <= limit);
    XDeleteProperty(fl_display, window, name);
    return property;
}

// Asks the selection's owner for its text and waits for it, taking only the owner's answers from
// the X connection.
std::optional<std::string> receive(RequestorWindow& window, Atom selection) {
    const Window requestor = window.id();
    const Atom property = XInternAtom(fl_display, "VARNEL_SELECTION", False);
    const Atom utf8_string = XInternAtom(fl_display, "UTF8_STRING", False);
    const Atom incr = XInternAtom(fl_display, "INCR", False);
    const Time time = fl_event_time;
    SelectionTransfer transfer(MaxText);

    const auto ask = [&] {
        const Atom target =
            transfer.target() == SelectionTransfer::Target::Utf8String ? utf8_string : XA_STRING;
        XConvertSelection(fl_display, selection, target, property, requestor, time);
    };
    const auto answer = [&](const Property& reply) {
        if (reply.type == incr) return transfer.incremental(reply.announced_size());
        if (reply.format == 8 && reply.type == utf8_string) {
            return transfer.whole(SelectionTransfer::Encoding::Utf8, reply.data);
        }
        if (reply.format == 8 && reply.type == XA_STRING) {
            return transfer.whole(SelectionTransfer::Encoding::Latin1, reply.data);
        }
        return transfer.refused();
    };

    // What an abandoned transfer left in the property must not be read as this one's.
    XDeleteProperty(fl_display, requestor, property);
    ask();
    auto deadline = Clock::now() + StepTimeout;
    XEvent event;
    while (window.next_event(event, deadline)) {
        Next next = Next::AwaitChunk;
        if (event.type == SelectionNotify) {
            const XSelectionEvent& reply = event.xselection;
            // Only the answer to this request counts, not a late one to an earlier paste.
            if (transfer.in_pieces() || reply.selection != selection || reply.time != time)
                continue;
            const std::optional<Property> value =
                reply.property == None ? std::nullopt
                                       : take_property(requestor, reply.property, MaxText);
            next = value ? answer(*value) : transfer.refused();
        } else {
            // The owner has put the next piece of an incremental transfer into the property.
            const XPropertyEvent& change = event.xproperty;
            if (!transfer.in_pieces() || change.atom != property ||
                change.state != PropertyNewValue) {
                continue;
            }
            const std::optional<Property> piece = take_property(requestor, property, MaxText);
            if (!piece) continue;
            next = transfer.chunk(piece->data);
        }
        switch (next) {
            case Next::Convert:
                ask();
                break;
            case Next::AwaitChunk:
                break;
            case Next::Done:
                return transfer.text();
            case Next::Failed:
                return std::nullopt;
        }
        deadline = Clock::now() + StepTimeout;
    }
    return std::nullopt;
}

}  // namespace

void SelectionReader::paste(Fl_Widget& receiver, Source source) {
    fl_open_display();
    const int clipboard = source == Source::Clipboard ? 1 : 0;
    const Atom selection = clipboard ? XInternAtom(fl_display, "CLIPBOARD", False) : XA_PRIMARY;
    // The program's own selection: FLTK pastes it straight from its buffer, with no transfer
    // (and could not serve it while this one waits).
    if (program_owns_selection(selection)) {
        Fl::paste(receiver, clipboard);
        return;
    }
    std::optional<std::string> text = receive(window_, selection);
    if (!text) return;
    // Delivered as FLTK delivers a paste, so the widget inserts it by its own rules.
    char* const event_text = Fl::e_text;
    const int event_length = Fl::e_length;
    Fl::e_text = text->data();
    Fl::e_length = static_cast<int>(text->size());
    Fl::e_clipboard_type = Fl::clipboard_plain_text;
    receiver.handle(FL_PASTE);
    Fl::e_text = event_text;
    Fl::e_length = event_length;
}

}  // namespace fltk
