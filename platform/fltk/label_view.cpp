#include "platform/fltk/label_view.h"

#include <FL/fl_draw.H>

#include "platform/fltk/colours.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"

namespace fltkui {

namespace {

// Character 13 starts a new line; a 13 followed by 10 is one line break.
std::string with_line_feeds(const std::string& caption) {
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\r') {
            text += '\n';
            if (i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
        } else {
            text += caption[i];
        }
    }
    return text;
}

}  // namespace

LabelView::LabelView(forms::Label& label, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(label) {
    show_state();
}

void LabelView::show_state() {
    const forms::Label* label = control();
    if (label == nullptr) return;
    forms::Runtime& runtime = label->form().runtime();
    text_ = with_line_feeds(label->Caption());
    back_ = to_fl_color(runtime.resolve(label->BackColor()));
    fore_ = to_fl_color(runtime.resolve(label->ForeColor()));
    font_ = choose_font(label->Font());
    redraw();
}

void LabelView::draw() {
    fl_rectf(x(), y(), w(), h(), back_);
    fl_push_clip(x(), y(), w(), h());
    fl_color(fore_);
    fl_font(font_.face, font_.size);
    // Drawn as plain text: '@' and '&' are characters here, not symbols or shortcuts.
    fl_draw(text_.c_str(), x(), y(), w(), h(),
            static_cast<Fl_Align>(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP), nullptr, 0);
    fl_pop_clip();
}

}  // namespace fltkui
