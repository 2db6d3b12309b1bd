#include "platform/fltk/x11/window_manager.h"

#include <FL/x.H>
#include <X11/Xatom.h>

#include <array>

namespace fltk {

namespace {

Atom atom(const char* name) { return XInternAtom(fl_display, name, False); }

}  // namespace

std::optional<FrameExtents> frame_extents(const Fl_Window& window) {
    const Window xid = fl_xid(&window);
    if (xid == 0) return std::nullopt;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(fl_display, xid, atom("_NET_FRAME_EXTENTS"), 0, 4, False,
                                          XA_CARDINAL, &type, &format, &count, &remaining, &data);
    std::optional<FrameExtents> extents;
    if (status == Success && type == XA_CARDINAL && format == 32 && count == 4) {
        // Format 32 properties arrive as longs.
        const auto* values = reinterpret_cast<const long*>(data);
        extents = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                               static_cast<int>(values[2]), static_cast<int>(values[3])};
    }
    if (data != nullptr) XFree(data);
    return extents;
}

void offer_only_move_and_close(const Fl_Window& window) {
    const Window xid = fl_xid(&window);
    if (xid == 0) return;
    // Motif window manager hints, listing the functions offered. (Setting the "all" bit would
    // turn the list into the functions taken away, which not every window manager honours.)
    constexpr long FunctionsFlag = 1;
    constexpr long Move = 4;
    constexpr long Close = 32;
    const std::array<long, 5> hints = {FunctionsFlag, Move | Close, 0, 0, 0};
    const Atom property = atom("_MOTIF_WM_HINTS");
    XChangeProperty(fl_display, xid, property, property, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints.data()),
                    static_cast<int>(hints.size()));
}

void request_activation(const Fl_Window& window) {
    const Window xid = fl_xid(&window);
    if (xid == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = xid;
    event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // from an application
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace fltk
