#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/colour.h"
#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"

namespace headless {

// An in-memory back end for tests and benchmarks: deterministic and inspectable. It records
// message boxes and answers them with OK, holds the clipboard, runs timers only when stepped,
// and plays the user: every helper below goes through the same entry points a native back end
// uses, and, like a window system, first activates the window of the control it works on. While
// a message box waits, the user's input on a window it holds goes nowhere, as on a disabled
// window.
class HeadlessBackend final : public forms::Backend {
public:
    struct MessageBox {
        std::string text;
        int style = 0;
        std::string title;
        // The windows that refused input while it waited.
        std::vector<const forms::Form*> held;
    };

    // The frame a native window adds around its client area, in pixels.
    static constexpr int FrameSide = 4;
    static constexpr int FrameTop = 26;
    static constexpr int FrameBottom = 4;

    // Inspection.
    const std::vector<MessageBox>& message_boxes() const { return message_boxes_; }
    const std::optional<std::string>& clipboard() const { return clipboard_; }
    bool quit_requested() const { return quit_; }
    // How many native windows were created, one per load of a form, and how many stand now.
    int windows_created() const { return windows_created_; }
    int native_windows() const { return static_cast<int>(forms_.size()); }
    // How often the control's native peer, or the form's native window, was updated.
    int updates(const forms::Control& control) const;
    int updates(const forms::Form& form) const;
    // Updates that came for a control or a window after its native window was gone: a native
    // back end has no peer left to apply them to.
    int updates_after_unload() const { return updates_after_unload_; }
    // What the native window shows: the form's visibility as last pushed.
    bool shown(const forms::Form& form) const;
    // Where the caret of a text box stands, in characters, as a native field would show it.
    std::size_t caret(const forms::TextBox& box) const;

    // Configuration.
    // While set, another program holds the clipboard and every write fails.
    void hold_clipboard(bool held) { clipboard_held_ = held; }
    // Runs when a message box is up (the handler waits for it), before it is answered.
    std::function<void(const MessageBox&)> on_message_box;
    // Runs each time a window's own state is pushed (its visibility, its place), as the window
    // system then does what it does of its own accord (activates another window, say).
    std::function<void(forms::Form&)> on_form_update;
    // Runs each time the runtime tells what assistive technology reads of a window.
    std::function<void(const forms::AccessibleUpdate&)> on_accessible_update;

    // The user.
    // One key at a time, each typed over the field's selection, or at its caret. The model
    // decides what is selected when the program writes the field or it is first shown.
    void type(forms::TextBox& box, const std::string& characters);
    // Clicks into a text box before the character with this index: the caret, nothing selected.
    void place_caret(forms::TextBox& box, std::size_t characters);
    void press_enter(forms::TextBox& box);
    void replace_text(forms::TextBox& box, const std::string& text);  // select all, paste
    void click(forms::CommandButton& button);
    void click(forms::CheckBox& box);
    void scroll(forms::VScrollBar& bar, forms::ScrollAction action);
    void drag_thumb(forms::VScrollBar& bar, const std::vector<int>& values);
    // Mouse input at a pixel of a picture box's drawing area.
    void mouse_down(forms::PictureBox& box, int button, int x, int y, int shift = 0);
    void mouse_move(forms::PictureBox& box, int buttons, int x, int y, int shift = 0);
    // Brings the window to the front, as a click on its frame does.
    void focus(forms::Form& form);
    // Another program's window takes the focus: nothing the program hears of.
    void switch_to_other_program() { focused_ = nullptr; }
    // The window the system last activated, if the program's.
    const forms::Form* focused() const { return focused_; }
    void close(forms::Form& form);
    // Covers part of a picture box with another window and uncovers it.
    void uncover(forms::PictureBox& box, forms::PixelRect area);
    // One interval of every enabled timer: the runtime's clock waits until each is due, then
    // it is reported due.
    void tick();
    // Delivers what the window system would deliver next: paints of newly shown windows.
    void run_pending();

    // forms::Backend
    void form_loaded(forms::Form& form) override;
    void form_unloaded(forms::Form& form) override;
    void update(forms::Form& form) override;
    void update(forms::Control& control) override;
    void activate(forms::Form& form) override;
    void accessible_update(const forms::AccessibleUpdate& update) override {
        if (on_accessible_update) on_accessible_update(update);
    }
    int message_box(const std::string& text, int style, const std::string& title,
                    const std::vector<forms::Form*>& held) override;
    forms::ClipboardResult set_clipboard_text(const std::string& text) override;
    forms::ColourValue resolve(forms::SystemColour colour) override;
    void quit() override { quit_ = true; }

private:
    // What a native text field holds: its text and its selection, from the anchor to the caret,
    // in bytes (empty: the caret alone).
    struct NativeText {
        std::string text;
        std::size_t anchor = 0;
        std::size_t caret = 0;
    };
    // The text and the selection the model puts in a field.
    static NativeText native_text(const forms::TextBox& box);

    // Runs one piece of user input on a control of form: activation first, then the input,
    // unless the activation closed the window or a message box holds it.
    void as_user(forms::Form& form, const std::function<void()>& input);
    bool loaded(const forms::Form& form) const;
    // Whether a message box that waits holds the window.
    bool is_held(const forms::Form& form) const;

    std::vector<MessageBox> message_boxes_;
    // The windows held by the message box that waits now, if one does.
    std::vector<const forms::Form*> held_;
    std::optional<std::string> clipboard_;
    bool clipboard_held_ = false;
    bool quit_ = false;
    int windows_created_ = 0;
    int updates_after_unload_ = 0;
    std::map<const forms::Control*, int> updates_;
    std::map<const forms::Form*, int> form_updates_;
    std::map<const forms::Form*, bool> shown_;
    std::map<const forms::TextBox*, NativeText> texts_;
    std::vector<forms::Form*> forms_;
    std::vector<forms::PictureBox*> pending_paints_;
    forms::Form* focused_ = nullptr;
};

}  // namespace headless
