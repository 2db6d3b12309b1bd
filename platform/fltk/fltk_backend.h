#pragma once

#include <map>
#include <memory>
#include <vector>

#include <FL/Fl_RGB_Image.H>

#include "platform/fltk/accessibility.h"
#include "platform/fltk/native_window.h"
#include "platform/fltk/picture_cache.h"
#include "platform/fltk/x11/requestor_window.h"
#include "platform/fltk/x11/selection_reader.h"
#include "platform/forms/backend.h"
#include "platform/scaling/scale.h"

namespace fltk {

// The Linux back end: one FLTK window per loaded form, one widget per control, the X
// clipboard, FLTK's timers and event loop. It mirrors the forms runtime and decides nothing. It
// shows the program at the scale the desktop asks for.
class FltkBackend final : public forms::Backend {
public:
    FltkBackend();
    FltkBackend(const FltkBackend&) = delete;
    FltkBackend& operator=(const FltkBackend&) = delete;
    ~FltkBackend() override;

    // Runs the event loop until no form is loaded, then hands what the program copied to the
    // clipboard manager, if one runs (waiting for it at most about a second).
    void run();

    // forms::Backend
    void form_loaded(forms::Form& form) override;
    void form_unloaded(forms::Form& form) override;
    void update(forms::Form& form) override;
    void update(forms::Control& control) override;
    void activate(forms::Form& form) override;
    void accessible_update(const forms::AccessibleUpdate& update) override {
        accessibility_.update(update);
    }
    int message_box(const std::string& text, int style, const std::string& title,
                    const std::vector<forms::Form*>& held) override;
    forms::ClipboardResult set_clipboard_text(const std::string& text) override;
    forms::ColourValue resolve(forms::SystemColour colour) override;
    void quit() override { quit_ = true; }

private:
    NativeWindow* window_of(const forms::Form& form) const;

    scaling::Scale scale_;
    // Before the windows: their text boxes tell the selection reader when they go.
    RequestorWindow requestor_;
    SelectionReader selections_{requestor_};
    std::map<const forms::Form*, NativeWindowPtr> windows_;
    std::vector<std::unique_ptr<Fl_RGB_Image>> icons_;  // the program icon, at each size offered
    PictureCache pictures_;
    FrameExtents frame_;
    // Declared after the windows it reports on, so that it goes first.
    Accessibility accessibility_{windows_};
    bool quit_ = false;
};

}  // namespace fltk
