#include "platform/fltk/buttons.h"

#include "platform/fltk/fonts.h"

namespace fltkui {

namespace {

template <class View>
void prepare(View& view, const std::string& caption) {
    view.copy_label(caption.c_str());
    view.labelfont(DefaultFace);
    view.labelsize(DefaultSize);
    view.when(FL_WHEN_RELEASE);
}

}  // namespace

CommandButtonView::CommandButtonView(forms::CommandButton& button, int x, int y, int w, int h)
    : Fl_Button(x, y, w, h), ControlPeer(button) {
    prepare(*this, button.Caption());
    callback([](Fl_Widget* widget, void*) {
        auto& view = static_cast<CommandButtonView&>(*widget);
        if (forms::CommandButton* button = view.control()) button->user_click();
    });
    show_state();
}

void CommandButtonView::show_state() {
    if (const forms::CommandButton* button = control()) {
        button->Enabled() ? activate() : deactivate();
    }
}

CheckBoxView::CheckBoxView(forms::CheckBox& box, int x, int y, int w, int h)
    : Fl_Check_Button(x, y, w, h), ControlPeer(box) {
    prepare(*this, box.Caption());
    callback([](Fl_Widget* widget, void*) {
        auto& view = static_cast<CheckBoxView&>(*widget);
        forms::CheckBox* box = view.control();
        if (box == nullptr) return;
        box->user_click();
        // The model decides the state; a handler may have set it otherwise.
        view.show_state();
    });
    show_state();
}

void CheckBoxView::show_state() {
    if (const forms::CheckBox* box = control()) {
        value(box->Value() != 0 ? 1 : 0);
        box->Enabled() ? activate() : deactivate();
    }
}

}  // namespace fltkui
