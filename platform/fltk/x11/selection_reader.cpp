#include "platform/fltk/x11/selection_reader.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "platform/fltk/x11/selection_owner.h"

namespace fltk {

namespace {

using Encoding = SelectionTransfer::Encoding;
using Next = SelectionTransfer::Next;

// The most a single XGetWindowProperty asks for, in 32-bit units: 4 MiB.
constexpr long ReadLongs = 1L << 20;
// After a paste this long, the allocator gives the memory its copies took back to the system.
constexpr std::size_t LargeText = std::size_t{1} << 20;

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

    // What the property's type says its bytes are; nothing if it is no text.
    std::optional<Encoding> text_encoding() const {
        if (format != 8) return std::nullopt;
        if (type == XInternAtom(fl_display, "UTF8_STRING", False)) return Encoding::Utf8;
        if (type == XA_STRING) return Encoding::Latin1;
        return std::nullopt;
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
        // Items of 8, 16 or 32 bits travel; Xlib hands those of 32 as longs.
        const auto bytes_sent = static_cast<std::size_t>(format / 8);
        const std::size_t item_size = format == 32 ? sizeof(long) : bytes_sent;
        property.data.append(reinterpret_cast<const char*>(raw), items * item_size);
        offset += static_cast<long>(items * bytes_sent / 4);  // in 32-bit units
    } while (left > 0 && property.data.size() <= limit);
    XDeleteProperty(fl_display, window, name);
    return property;
}

Atom transfer_property() { return XInternAtom(fl_display, "VARNEL_SELECTION", False); }

}  // namespace

// One paste under way: whom it asked for what, and how far the transfer has come.
struct SelectionReader::Paste {
    Fl_Widget* receiver;
    Atom selection;
    Time time;
    Window requestor;
    SelectionTransfer transfer;
};

SelectionReader::SelectionReader(RequestorWindow& window) : window_(window) {}

SelectionReader::~SelectionReader() { end_paste(); }

void SelectionReader::paste(Fl_Widget& receiver, Source source) {
    fl_open_display();
    const int clipboard = source == Source::Clipboard ? 1 : 0;
    const Atom selection = clipboard ? XInternAtom(fl_display, "CLIPBOARD", False) : XA_PRIMARY;
    // The program's own selection: FLTK pastes it straight from its buffer, with no transfer.
    if (program_owns_selection(selection)) {
        Fl::paste(receiver, clipboard);
        return;
    }
    end_paste();
    paste_ = std::make_unique<Paste>(Paste{&receiver, selection, fl_event_time, window_.id(),
                                           SelectionTransfer(RequestorWindow::Clock::now)});
    window_.listen([this](const XEvent& event) { receive(event); });
    ask();
    take_step(Next::Wait);
}

void SelectionReader::forget(const Fl_Widget& receiver) {
    if (paste_ && paste_->receiver == &receiver) end_paste();
}

void SelectionReader::ask() {
    const Atom target = paste_->transfer.target() == SelectionTransfer::Target::Utf8String
                            ? XInternAtom(fl_display, "UTF8_STRING", False)
                            : XA_STRING;
    XConvertSelection(fl_display, paste_->selection, target, transfer_property(), paste_->requestor,
                      paste_->time);
    XFlush(fl_display);
}

void SelectionReader::receive(const XEvent& event) {
    SelectionTransfer& transfer = paste_->transfer;
    const Atom property = transfer_property();
    constexpr std::size_t Limit = SelectionTransfer::DefaultLimits.bytes;
    switch (event.type) {
        case SelectionNotify: {
            const XSelectionEvent& reply = event.xselection;
            // Only the answer to this request counts: another program may send anything.
            if (transfer.in_pieces() || reply.selection != paste_->selection ||
                reply.time != paste_->time) {
                return;
            }
            const std::optional<Property> value =
                reply.property == None ? std::nullopt
                                       : take_property(paste_->requestor, reply.property, Limit);
            if (!value) return take_step(transfer.refused());
            if (value->type == XInternAtom(fl_display, "INCR", False)) {
                return take_step(transfer.incremental(value->announced_size()));
            }
            const std::optional<Encoding> encoding = value->text_encoding();
            return take_step(encoding ? transfer.whole(*encoding, value->data)
                                      : transfer.refused());
        }
        case PropertyNotify: {
            // The owner has put the next piece of an incremental transfer into the property.
            const XPropertyEvent& change = event.xproperty;
            if (!transfer.in_pieces() || change.atom != property ||
                change.state != PropertyNewValue) {
                return;
            }
            const std::optional<Property> piece = take_property(paste_->requestor, property, Limit);
            if (!piece) return;
            return take_step(transfer.piece(piece->text_encoding(), piece->data));
        }
        case DestroyNotify:
            return take_step(transfer.requestor_lost());
        default:
            return;
    }
}

void SelectionReader::take_step(Next next) {
    switch (next) {
        case Next::Convert:
            ask();
            [[fallthrough]];
        case Next::Wait: {
            // Woken at the deadline, unless the owner's next step comes first.
            const std::chrono::duration<double> left =
                paste_->transfer.deadline() - RequestorWindow::Clock::now();
            Fl::remove_timeout(time_passed, this);
            Fl::add_timeout(std::max(left.count(), 0.0), time_passed, this);
            return;
        }
        case Next::Done:
            return finish(paste_->transfer.text());
        case Next::Failed:
            return finish(std::nullopt);
    }
}

void SelectionReader::time_passed(void* self) {
    auto& reader = *static_cast<SelectionReader*>(self);
    if (reader.paste_) reader.take_step(reader.paste_->transfer.time_passed());
}

void SelectionReader::finish(std::optional<std::string> text) {
    Fl_Widget* const receiver = end_paste();
    if (!text) return;
    const std::size_t size = text->size();
    // Delivered as FLTK delivers a paste. The receiver's handlers run meanwhile and may start
    // another paste: this one is over.
    char* const event_text = Fl::e_text;
    const int event_length = Fl::e_length;
    Fl::e_text = text->data();
    Fl::e_length = static_cast<int>(size);
    Fl::e_clipboard_type = Fl::clipboard_plain_text;
    receiver->handle(FL_PASTE);
    Fl::e_text = event_text;
    Fl::e_length = event_length;
    // The copies a large text went through (the transfer's, the field's, the program's) are
    // free now, but the allocator keeps part of such memory for itself unless asked: a number
    // pasted as 60 MiB of digits and then rewritten left the program 2 MiB larger.
    if (size >= LargeText) {
        text.reset();
        malloc_trim(0);
    }
}

Fl_Widget* SelectionReader::end_paste() {
    if (!paste_) return nullptr;
    Fl::remove_timeout(time_passed, this);
    window_.listen(nullptr);
    window_.discard();
    return std::exchange(paste_, nullptr)->receiver;
}

}  // namespace fltk
