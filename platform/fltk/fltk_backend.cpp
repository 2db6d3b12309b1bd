#include "platform/fltk/fltk_backend.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>

#include "platform/fltk/desktop_scale.h"
#include "platform/fltk/icon_image.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/x11/clipboard_handoff.h"
#include "platform/forms/form.h"

namespace fltk {

namespace {

// How long the program waits at its end for the clipboard manager to save the clipboard.
constexpr std::chrono::milliseconds HandoffLimit{1000};

// Activation reaches the runtime when the keyboard focus moves to one of the program's windows;
// the runtime itself ignores a window that was already the active one.
int dispatch(int event, Fl_Window* window) {
    if (event == FL_FOCUS) {
        if (auto* native = dynamic_cast<NativeWindow*>(window)) native->report_activation();
    }
    return Fl::handle_(event, window);
}

std::optional<std::string_view> setting(const char* text) {
    return text == nullptr ? std::nullopt : std::optional<std::string_view>(text);
}

// The scale the desktop asks for, from the environment and the display's resources.
scaling::Scale desktop_scale() {
    fl_open_display();
    const ScaleChoice choice =
        choose_scale({setting(std::getenv("VARNEL_SCALE")), setting(std::getenv("GDK_SCALE")),
                      setting(XGetDefault(fl_display, "Xft", "dpi"))});
    if (choice.complaint) std::cerr << *choice.complaint << '\n';
    return choice.scale;
}

}  // namespace

FltkBackend::FltkBackend() {
    // Varnel's fields take numbers and hex codes, which need no composed characters. Not
    // loading the locale's compose table (thousands of lines, read when the display opens)
    // saves about 6 ms, a third of the start-up; a user's own XCOMPOSEFILE is kept.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    scale_ = desktop_scale();
    // A picture stretched by the design keeps its pixels' edges, as at 96 dots per inch; one
    // that the scale enlarges is enlarged smoothly.
    Fl_RGB_Image::RGB_scaling(scale_ == scaling::Scale() ? FL_RGB_SCALING_NEAREST
                                                         : FL_RGB_SCALING_BILINEAR);
    constexpr forms::ColourValue ButtonFace =
        forms::default_system_colour(forms::SystemColour::ButtonFace);
    Fl::background(forms::red_of(ButtonFace), forms::green_of(ButtonFace),
                   forms::blue_of(ButtonFace));
    Fl::scheme("gtk+");
    Fl::event_dispatch(dispatch);
}

FltkBackend::~FltkBackend() { Fl::event_dispatch(nullptr); }

void FltkBackend::run() {
    while (!quit_) Fl::wait(1e20);
    hand_clipboard_to_manager(requestor_, HandoffLimit);
}

NativeWindow* FltkBackend::window_of(const forms::Form& form) const {
    const auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.get();
}

void FltkBackend::form_loaded(forms::Form& form) {
    if (form.Icon() != nullptr && icons_.empty()) {
        // The icon's own size, and the size that matches the scale, for the window manager to
        // choose from.
        icons_.push_back(make_icon_image(*form.Icon()));
        const int scaled = scale_.device(forms::Icon::Size);
        if (scaled != forms::Icon::Size) {
            icons_.emplace_back(static_cast<Fl_RGB_Image*>(icons_.front()->copy(scaled, scaled)));
        }
        std::vector<const Fl_RGB_Image*> offered;
        for (const auto& icon : icons_) offered.push_back(icon.get());
        Fl_Window::default_icons(offered.data(), static_cast<int>(offered.size()));
    }
    windows_.insert_or_assign(
        &form, NativeWindowPtr(new NativeWindow(form, {selections_, pictures_, scale_}, frame_)));
    accessibility_.form_loaded(form);
}

void FltkBackend::form_unloaded(forms::Form& form) { windows_.erase(&form); }

void FltkBackend::update(forms::Form& form) {
    if (NativeWindow* window = window_of(form)) window->show_state();
}

void FltkBackend::update(forms::Control& control) {
    if (NativeWindow* window = window_of(control.form())) window->show_state(control);
}

void FltkBackend::activate(forms::Form& form) {
    if (NativeWindow* window = window_of(form)) window->bring_to_front();
}

int FltkBackend::message_box(const std::string& text, int style, const std::string& title,
                             const std::vector<forms::Form*>& held) {
    // While FLTK shows a modal window it delivers no click, key or close request to any other
    // window of the program, so every window held refuses input. For the window manager the box
    // is marked modal and transient for the held window that is active (FLTK makes a new window
    // transient for its first window): it stays above that window and takes the focus for it.
    // (Modal for the program's window group, it would need a group, which FLTK does not give its
    // windows.) openbox, the tests' window manager, also gives the box the focus when any other
    // window of the program is clicked, and raises none of them.
    if (const Fl_Widget* focus = Fl::focus(); focus != nullptr) {
        for (const forms::Form* form : held) {
            NativeWindow* window = window_of(*form);
            if (window != nullptr && focus->top_window() == window) Fl::first_window(window);
        }
    }
    show_message_box(text, style, title, scale_, [&](const MessageBoxShown& shown) {
        accessibility_.message_box_shown(forms::describe_message_box(text, title), shown);
    });
    accessibility_.message_box_closed();
    return 1;
}

forms::ClipboardResult FltkBackend::set_clipboard_text(const std::string& text) {
    // FLTK takes the CLIPBOARD selection and serves the text as UTF-8 until another program
    // takes it. Taking the selection replaces the clipboard's whole content: what the last owner
    // offered (a picture beside its text, say) goes with it, as on Windows, where the clipboard
    // is emptied first.
    Fl::copy(text.c_str(), static_cast<int>(text.size()), 1);
    return forms::ClipboardResult::Written;
}

forms::ColourValue FltkBackend::resolve(forms::SystemColour colour) {
    // X has no system colours a program could ask for.
    return forms::default_system_colour(colour);
}

}  // namespace fltk
