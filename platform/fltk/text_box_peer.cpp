#include "platform/fltk/text_box_peer.h"

#include <FL/Fl.H>
#include <FL/fl_utf8.h>

#include <algorithm>
#include <limits>
#include <string>

#include "platform/fltk/fonts.h"
#include "platform/forms/keys.h"
#include "platform/forms/text_units.h"

namespace fltk {

TextBoxPeer::TextBoxPeer(forms::TextBox& box, SelectionReader& selections, scaling::Scale scale,
                         int x, int y, int w, int h)
    : Fl_Input(x, y, w, h), ControlPeer(box), selections_(selections) {
    const FontChoice font = default_font(scale);
    textfont(font.face);
    textsize(font.size);
    // FLTK stops a field at 32,767 characters; a text box takes any length.
    maximum_size(std::numeric_limits<int>::max());
    when(FL_WHEN_CHANGED);
    callback([](Fl_Widget* widget, void*) {
        auto& field = static_cast<TextBoxPeer&>(*widget);
        // The whole text, NUL characters and all.
        if (forms::TextBox* model = field.control()) {
            model->user_edit(std::string(field.value(), static_cast<std::size_t>(field.size())));
        }
    });
    show_state();
}

TextBoxPeer::~TextBoxPeer() { selections_.forget(*this); }

void TextBoxPeer::show_state() {
    const forms::TextBox* box = control();
    if (box == nullptr) return;
    const std::string& text = box->Text();
    if (text != value()) value(text.c_str(), static_cast<int>(text.size()));
    // The program wrote the text: the caret goes where the model puts it (FLTK would keep its
    // byte offset, or put it at the end).
    const std::size_t start = forms::byte_offset(text, box->selection().start);
    const std::size_t end =
        forms::byte_offset(text, box->selection().start + box->selection().length);
    position(static_cast<int>(end), static_cast<int>(start));
}

forms::TypedKey TextBoxPeer::typed_key() {
    forms::TypedKey key;
    key.ctrl = Fl::event_state(FL_CTRL) != 0;
    key.alt = Fl::event_state(FL_ALT | FL_META) != 0;
    switch (Fl::event_key()) {
        case FL_BackSpace:
            key.named = forms::NamedKey::Backspace;
            return key;
        case FL_Enter:
        case FL_KP_Enter:
            key.named = forms::NamedKey::Enter;
            return key;
        case FL_Escape:
            key.named = forms::NamedKey::Escape;
            return key;
        default:
            break;
    }
    if (key.ctrl) {
        // The key's own character: with Ctrl the text is a control character, or nothing.
        key.character = static_cast<char32_t>(Fl::event_key());
    } else if (Fl::event_length() > 0) {
        int length = 0;
        const char* text = Fl::event_text();
        key.character = fl_utf8decode(text, text + Fl::event_length(), &length);
    }
    return key;
}

bool TextBoxPeer::key_pressed(int typed) {
    const int applied = control()->user_key(typed);
    // The handler may have closed the window or ended the program.
    if (control() == nullptr || applied == 0) return true;
    // A single-line field takes no line break, and Esc types nothing.
    if (applied == forms::KeyReturn || applied == forms::KeyEscape) return true;
    if (applied == typed) return false;
    if (applied == forms::KeyBackspace) {
        position() == mark() ? cut(-1) : cut();
        return true;
    }
    char replacement[4];
    const int length = fl_utf8encode(static_cast<unsigned>(applied), replacement);
    replace(position(), mark(), replacement, length);
    return true;
}

std::optional<SelectionReader::Source> TextBoxPeer::paste_source(int event) {
    if (event == FL_RELEASE && Fl::event_button() == FL_MIDDLE_MOUSE) {
        return SelectionReader::Source::Primary;
    }
    if (event != FL_KEYBOARD) return std::nullopt;
    const int modifiers = Fl::event_state() & (FL_META | FL_CTRL | FL_ALT);
    const bool ctrl_v = Fl::event_key() == 'v' && modifiers == FL_COMMAND;
    const bool shift_insert =
        Fl::event_key() == FL_Insert && modifiers == 0 && Fl::event_state(FL_SHIFT) != 0;
    if (ctrl_v || shift_insert) return SelectionReader::Source::Clipboard;
    return std::nullopt;
}

void TextBoxPeer::paste(std::string_view text) {
    forms::TextBox* box = control();
    if (box == nullptr) return;
    const std::string_view shown(value(), static_cast<std::size_t>(size()));
    const auto from = static_cast<std::size_t>(std::min(position(), mark()));
    const auto to = static_cast<std::size_t>(std::max(position(), mark()));
    box->user_paste({forms::character_count(shown.substr(0, from)),
                     forms::character_count(shown.substr(from, to - from))},
                    text);
}

int TextBoxPeer::handle(int event) {
    if (event == FL_PASTE) {
        paste({Fl::event_text(), static_cast<std::size_t>(Fl::event_length())});
        return 1;
    }
    // KeyPress comes first, for every key that raises it, Ctrl+V included.
    if (event == FL_KEYBOARD && control() != nullptr) {
        const int typed = forms::key_ascii(typed_key());
        if (typed != 0 && key_pressed(typed)) return 1;
    }
    if (const std::optional<SelectionReader::Source> source = paste_source(event)) {
        // A middle click is no click towards a double click, which would select a word.
        if (event == FL_RELEASE) Fl::event_is_click(0);
        selections_.paste(*this, *source);
        return 1;
    }
    return Fl_Input::handle(event);
}

}  // namespace fltk
