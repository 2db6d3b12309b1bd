// A minimal clipboard manager for the end-to-end tests. It owns the CLIPBOARD_MANAGER selection;
// when a program asks it to save the clipboard (converting CLIPBOARD_MANAGER to SAVE_TARGETS), it
// reads the clipboard's UTF8_STRING, takes the CLIPBOARD over and serves that text, and only then
// answers. With --silent it owns CLIPBOARD_MANAGER but never answers, like a manager that hangs.
// It prints "ready" once it owns the manager selection and "saved TEXT" after each save, and runs
// until it is killed or its X server ends.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

struct Atoms {
    Atom clipboard, manager, save_targets, targets, utf8_string, null, saved;
};

Atoms intern(Display* display) {
    const auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
    return {atom("CLIPBOARD"),         atom("CLIPBOARD_MANAGER"), atom("SAVE_TARGETS"),
            atom("TARGETS"),           atom("UTF8_STRING"),       atom("NULL"),
            atom("TEST_MANAGER_SAVED")};
}

void reply(Display* display, const XSelectionRequestEvent& request, Atom property) {
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = property;
    notify.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &notify);
    XFlush(display);
}

// The requestor's property, or the target when an old client names none.
Atom property_of(const XSelectionRequestEvent& request) {
    return request.property != None ? request.property : request.target;
}

std::optional<std::string> read_text(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &items, &left, &data) != Success ||
        type == None) {
        return std::nullopt;
    }
    std::string text(reinterpret_cast<const char*>(data), items);
    XFree(data);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const bool silent = argc > 1 && std::strcmp(argv[1], "--silent") == 0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const Atoms atoms = intern(display);
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, atoms.manager, window, CurrentTime);
    if (XGetSelectionOwner(display, atoms.manager) != window) return 1;
    std::printf("ready\n");
    std::fflush(stdout);

    std::optional<XSelectionRequestEvent> saving;  // the SAVE_TARGETS request being handled
    std::string text;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            if (request.selection == atoms.manager && request.target == atoms.save_targets) {
                if (silent || saving) continue;
                saving = request;
                XConvertSelection(display, atoms.clipboard, atoms.utf8_string, atoms.saved, window,
                                  request.time);
                XFlush(display);
            } else if (request.selection == atoms.clipboard && request.target == atoms.targets) {
                const Atom offered[] = {atoms.targets, atoms.utf8_string};
                XChangeProperty(display, request.requestor, property_of(request), XA_ATOM, 32,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(offered),
                                2);
                reply(display, request, property_of(request));
            } else if (request.selection == atoms.clipboard &&
                       request.target == atoms.utf8_string) {
                XChangeProperty(display, request.requestor, property_of(request), atoms.utf8_string,
                                8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(text.data()),
                                static_cast<int>(text.size()));
                reply(display, request, property_of(request));
            } else {
                reply(display, request, None);
            }
        } else if (event.type == SelectionNotify && saving &&
                   event.xselection.selection == atoms.clipboard) {
            const std::optional<std::string> saved =
                event.xselection.property == None
                    ? std::nullopt
                    : read_text(display, window, event.xselection.property);
            Atom answer = None;
            if (saved) {
                text = *saved;
                XSetSelectionOwner(display, atoms.clipboard, window, CurrentTime);
                // SAVE_TARGETS is a side-effect target: its value is an empty property of type
                // NULL.
                XChangeProperty(display, saving->requestor, saving->property, atoms.null, 32,
                                PropModeReplace, nullptr, 0);
                answer = saving->property;
                std::printf("saved %s\n", text.c_str());
                std::fflush(stdout);
            }
            reply(display, *saving, answer);
            saving.reset();
        }
    }
}
