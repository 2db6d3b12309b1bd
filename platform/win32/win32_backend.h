#pragma once

#include "platform/win32/windows_api.h"

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/font.h"
#include "platform/forms/icon.h"
#include "platform/scaling/scale.h"
#include "platform/win32/accessible_annotations.h"
#include "platform/win32/assistive_technology_watch.h"
#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"

namespace win32 {

// The Windows back end: a native window per loaded form, the message loop, and the system's
// message box, clipboard and colours.
class Win32Backend final : public forms::Backend {
public:
    explicit Win32Backend(HINSTANCE instance);

    // Runs the message loop until the program has no window loaded; returns the exit code.
    int run();

    HINSTANCE instance() const { return instance_; }
    // A control's font at a scale (the default font for a control without a font of its own),
    // made once and kept for the program's lifetime.
    HFONT font(const std::optional<forms::Font>& font, scaling::Scale scale);
    // The native icon of a forms icon, at a size in device pixels, made once and kept: from the
    // forms icon itself, or from the icon resource given for it.
    HICON icon(const forms::Icon& icon, int size);
    // The native icons of a forms icon come from this icon resource of the program, which holds
    // it drawn at the sizes the system asks for at the usual scales: each window takes the
    // drawing made for its size rather than the forms icon enlarged. (At a size the resource
    // lacks, the system scales the nearest it has.)
    void icon_resource(const forms::Icon& icon, int resource_id);
    // The scale at which the forms' places on the screen (Left, Top, Width, Height) convert to
    // twips and back: the main window's, so that the palette placed at the main window's Left +
    // Width stands at its right edge, whatever the scale of the monitor either stands on. The main
    // window is the program's first, and the last to go.
    scaling::Scale screen_scale(const FormWindow& asking) const;
    // A window now shows at another scale. Should it be the main window, every window's place in
    // twips has changed, and is reported again.
    void rescaled(const FormWindow& window);
    // Whether the window is one of the program's forms.
    bool owns(HWND window) const;
    AccessibleAnnotations& annotations() { return annotations_; }

    // forms::Backend
    void form_loaded(forms::Form& form) override;
    void form_unloaded(forms::Form& form) override;
    void update(forms::Form& form) override;
    void update(forms::Control& control) override;
    void activate(forms::Form& form) override;
    void accessible_update(const forms::AccessibleUpdate& update) override;
    int message_box(const std::string& text, int style, const std::string& title,
                    const std::vector<forms::Form*>& held) override;
    forms::ClipboardResult set_clipboard_text(const std::string& text) override;
    forms::ColourValue resolve(forms::SystemColour colour) override;
    void quit() override { PostQuitMessage(0); }

private:
    FormWindow* window_of(const forms::Form& form) const;
    FormWindow* window_of(HWND window) const;
    // Tab and Shift+Tab between a form's controls.
    bool dialog_message(MSG& message) const;
    void assistive_technology_asked();

    struct MadeFont {
        forms::Font font;
        int dpi;
        OwnedFont handle;
    };

    HINSTANCE instance_;
    std::vector<MadeFont> fonts_;
    std::map<std::pair<const forms::Icon*, int>, OwnedIcon> icons_;
    std::map<const forms::Icon*, int> icon_resources_;
    AccessibleAnnotations annotations_;
    forms::Runtime* runtime_ = nullptr;
    AssistiveTechnologyWatch watch_{[this] { assistive_technology_asked(); }};
    std::vector<std::unique_ptr<FormWindow>> windows_;
    // The FormWindows of unloaded forms. Their native windows and peers are gone already, but a
    // message of theirs may still be on the stack; they go once it has returned.
    std::vector<std::unique_ptr<FormWindow>> retired_;
};

}  // namespace win32
