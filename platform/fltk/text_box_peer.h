#pragma once

#include <FL/Fl_Input.H>

#include <optional>
#include <string_view>

#include "platform/fltk/peer.h"
#include "platform/fltk/x11/selection_reader.h"
#include "platform/forms/controls.h"
#include "platform/forms/typed_key.h"
#include "platform/scaling/scale.h"

namespace fltk {

// A single-line text box. Every change the user makes (typing, deleting, pasting, cutting)
// reaches the model as one edit; each typed character first goes to KeyPress, which may swallow
// or replace it. Text the model writes is shown without coming back as an edit. Pastes (Ctrl+V,
// Shift+Insert, the middle button) go through the back end's selection reader, and the text
// pasted goes to the model, which sends the field its new text.
class TextBoxPeer final : public Fl_Input, public ControlPeer<forms::TextBox> {
public:
    TextBoxPeer(forms::TextBox& box, SelectionReader& selections, scaling::Scale scale, int x,
                int y, int w, int h);
    TextBoxPeer(const TextBoxPeer&) = delete;
    TextBoxPeer& operator=(const TextBoxPeer&) = delete;
    ~TextBoxPeer() override;

    void show_state() override;

private:
    int handle(int event) override;
    // Reports a text pasted over the field's selection.
    void paste(std::string_view text);
    // The key of a key press, for the runtime to tell the character code KeyPress receives.
    static forms::TypedKey typed_key();
    // Runs KeyPress for a typed character; whether the key is done with (swallowed or replaced)
    // rather than left to the field.
    bool key_pressed(int typed);
    // The selection an event asks to paste, by FLTK's own gestures for it.
    static std::optional<SelectionReader::Source> paste_source(int event);

    SelectionReader& selections_;
};

}  // namespace fltk
