// A hostile owner of the CLIPBOARD for the end-to-end tests: it answers every request for text
// with an attack on the program that asks.
//
//   hostile_owner trickle      an incremental transfer that sends one byte every 1.5 s, forever
//   hostile_owner endless      an incremental transfer that claims 1 byte, then sends 256 KiB
//                              pieces as fast as the requestor takes them, forever
//   hostile_owner boastful     the same, but it claims 1 GiB
//   hostile_owner wrong-type   an incremental transfer whose pieces are INTEGERs (format 32),
//                              "5" as a number, then an empty piece that ends it
//   hostile_owner destroy      destroys the requestor's window instead of answering
//
// It prints "ready" once it owns the CLIPBOARD; for each request it prints "asked", and once
// the requestor's window is gone (the transfer given up by the requestor, or destroyed by the
// owner itself) "gone after N ms", counted from the request. It runs until it is killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum class Attack { Trickle, Endless, Boastful, WrongType, Destroy };

std::optional<Attack> attack_named(const std::string& name) {
    if (name == "trickle") return Attack::Trickle;
    if (name == "endless") return Attack::Endless;
    if (name == "boastful") return Attack::Boastful;
    if (name == "wrong-type") return Attack::WrongType;
    if (name == "destroy") return Attack::Destroy;
    return std::nullopt;
}

// The requestor's window may go at any moment: errors about it are expected, and noted.
bool window_gone = false;
int note_error(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow) window_gone = true;
    return 0;
}

// One transfer: whom it feeds, into which property, and when its next piece is due.
struct Transfer {
    Window requestor = None;
    Atom property = None;
    Clock::time_point asked{};
    // When the next piece is due: once the requestor took the last one.
    Clock::time_point next_piece = Clock::time_point::max();
    int pieces = 0;
};

class Owner {
public:
    Owner(Display* display, Attack attack) : display_(display), attack_(attack) {
        window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display, "CLIPBOARD", False);
        incr_ = XInternAtom(display, "INCR", False);
        utf8_string_ = XInternAtom(display, "UTF8_STRING", False);
    }

    bool own() {
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        return XGetSelectionOwner(display_, clipboard_) == window_;
    }

    void run() {
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                handle(event);
            }
            wait_for_event_or_piece();
            if (Clock::now() >= transfer_.next_piece) send_piece();
            check_requestor();
        }
    }

private:
    void handle(const XEvent& event) {
        if (event.type == SelectionRequest) {
            answer(event.xselectionrequest);
        } else if (event.type == PropertyNotify && event.xproperty.window == transfer_.requestor &&
                   event.xproperty.atom == transfer_.property &&
                   event.xproperty.state == PropertyDelete) {
            // The requestor took the last piece: the next one is due.
            const auto pause = attack_ == Attack::Trickle ? std::chrono::milliseconds(1500)
                                                          : std::chrono::milliseconds(0);
            transfer_.next_piece = Clock::now() + pause;
        }
    }

    void answer(const XSelectionRequestEvent& request) {
        std::printf("asked\n");
        std::fflush(stdout);
        transfer_ = Transfer{};
        transfer_.requestor = request.requestor;
        transfer_.property = request.property != None ? request.property : request.target;
        transfer_.asked = Clock::now();
        window_gone = false;
        if (attack_ == Attack::Destroy) {
            XDestroyWindow(display_, request.requestor);
            XSync(display_, False);
            return;
        }
        // The pieces follow each deletion of the property by the requestor.
        XSelectInput(display_, request.requestor, PropertyChangeMask);
        const long claimed = attack_ == Attack::Boastful ? 1L << 30 : 1;
        XChangeProperty(display_, request.requestor, transfer_.property, incr_, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&claimed), 1);
        XEvent notify{};
        notify.xselection.type = SelectionNotify;
        notify.xselection.requestor = request.requestor;
        notify.xselection.selection = request.selection;
        notify.xselection.target = request.target;
        notify.xselection.property = transfer_.property;
        notify.xselection.time = request.time;
        XSendEvent(display_, request.requestor, False, NoEventMask, &notify);
        XSync(display_, False);
    }

    void send_piece() {
        transfer_.next_piece = Clock::time_point::max();
        ++transfer_.pieces;
        switch (attack_) {
            case Attack::Trickle:
                change(utf8_string_, 8, "7", 1);
                break;
            case Attack::Endless:
            case Attack::Boastful: {
                static const std::string piece(std::size_t{256} << 10, '7');
                change(utf8_string_, 8, piece.data(), static_cast<int>(piece.size()));
                break;
            }
            case Attack::WrongType: {
                // A number whose bytes read "5": pasted raw, it would be text.
                const long five = '5';
                if (transfer_.pieces == 1) {
                    change(XA_INTEGER, 32, &five, 1);
                } else {
                    change(XA_INTEGER, 32, nullptr, 0);
                }
                break;
            }
            case Attack::Destroy:
                break;
        }
        XSync(display_, False);
    }

    void change(Atom type, int format, const void* data, int items) {
        XChangeProperty(display_, transfer_.requestor, transfer_.property, type, format,
                        PropModeReplace, static_cast<const unsigned char*>(data), items);
    }

    // The requestor's window is gone once writing to it fails, or (when it takes nothing, as
    // after a given-up transfer) once asking about it does.
    void check_requestor() {
        if (transfer_.requestor == None) return;
        if (!window_gone) {
            XWindowAttributes attributes;
            XGetWindowAttributes(display_, transfer_.requestor, &attributes);
            XSync(display_, False);
        }
        if (!window_gone) return;
        const auto after =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - transfer_.asked);
        std::printf("gone after %lld ms\n", static_cast<long long>(after.count()));
        std::fflush(stdout);
        transfer_ = Transfer{};
    }

    // Until the next event, the next piece, or 50 ms: how soon a gone requestor is noticed.
    void wait_for_event_or_piece() {
        auto timeout = std::chrono::milliseconds(50);
        if (transfer_.next_piece != Clock::time_point::max()) {
            timeout = std::min(timeout, std::chrono::ceil<std::chrono::milliseconds>(
                                            transfer_.next_piece - Clock::now()));
        }
        if (XPending(display_) > 0 || timeout.count() <= 0) return;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(timeout.count()));
    }

    Display* display_;
    Attack attack_;
    Window window_;
    Atom clipboard_;
    Atom incr_;
    Atom utf8_string_;
    Transfer transfer_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Attack> attack = argc == 2 ? attack_named(argv[1]) : std::nullopt;
    if (!attack) {
        std::fputs("usage: hostile_owner trickle|endless|boastful|wrong-type|destroy\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    XSetErrorHandler(note_error);
    Owner owner(display, *attack);
    if (!owner.own()) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    owner.run();
}
