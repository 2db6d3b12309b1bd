#include "platform/fltk/button_peers.h"

#include "platform/fltk/fonts.h"

namespace fltk {

namespace {

template <class Peer>
void prepare(Peer& view, const std::string& caption, scaling::Scale scale) {
    view.copy_label(caption.c_str());
    const FontChoice font = default_font(scale);
    view.labelfont(font.face);
    view.labelsize(font.size);
    view.when(FL_WHEN_RELEASE);
}

}  // namespace

CommandButtonPeer::CommandButtonPeer(forms::CommandButton& button, scaling::Scale scale, int x,
                                     int y, int w, int h)
    : Fl_Button(x, y, w, h), ControlPeer(button) {
    prepare(*this, button.Caption(), scale);
    callback([](Fl_Widget* widget, void*) {
        auto& view = static_cast<CommandButtonPeer&>(*widget);
        if (forms::CommandButton* model = view.control()) model->user_click();
    });
}

CheckBoxPeer::CheckBoxPeer(forms::CheckBox& box, scaling::Scale scale, int x, int y, int w, int h)
    : Fl_Check_Button(x, y, w, h), ControlPeer(box) {
    prepare(*this, box.Caption(), scale);
    callback([](Fl_Widget* widget, void*) {
        auto& view = static_cast<CheckBoxPeer&>(*widget);
        forms::CheckBox* model = view.control();
        if (model == nullptr) return;
        model->user_click();
        // The model decides the state; a handler may have set it otherwise.
        view.show_state();
    });
    show_state();
}

void CheckBoxPeer::show_state() {
    if (const forms::CheckBox* box = control()) {
        value(box->Value() != 0 ? 1 : 0);
    }
}

}  // namespace fltk
