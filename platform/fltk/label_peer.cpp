#include "platform/fltk/label_peer.h"

#include <FL/fl_draw.H>

#include "platform/fltk/colours.h"
#include "platform/forms/caption.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"

namespace fltk {

LabelPeer::LabelPeer(forms::Label& label, scaling::Scale scale, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(label), scale_(scale) {
    show_state();
}

void LabelPeer::show_state() {
    const forms::Label* label = control();
    if (label == nullptr) return;
    forms::Runtime& runtime = label->form().runtime();
    text_ = forms::with_line_breaks(label->Caption(), "\n");
    back_ = to_fl_color(runtime.resolve(label->BackColor()));
    fore_ = to_fl_color(runtime.resolve(label->ForeColor()));
    font_ = choose_font(label->Font(), scale_);
    redraw();
}

void LabelPeer::draw() {
    fl_rectf(x(), y(), w(), h(), back_);
    fl_push_clip(x(), y(), w(), h());
    fl_color(fore_);
    fl_font(font_.face, font_.size);
    // Drawn as plain text: '@' and '&' are characters here, not symbols or shortcuts.
    fl_draw(text_.c_str(), x(), y(), w(), h(),
            static_cast<Fl_Align>(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP), nullptr, 0);
    fl_pop_clip();
}

}  // namespace fltk
