#include "platform/fltk/native_window.h"

#include <FL/Fl.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/button_peers.h"
#include "platform/fltk/colours.h"
#include "platform/fltk/image_peer.h"
#include "platform/fltk/label_peer.h"
#include "platform/fltk/picture_box_peer.h"
#include "platform/fltk/scroll_bar_peer.h"
#include "platform/fltk/text_box_peer.h"
#include "platform/fltk/timer_peer.h"
#include "platform/forms/runtime.h"
#include "platform/forms/stacking.h"
#include "platform/forms/visit.h"
#include "platform/scaling/scale.h"

namespace fltk {

namespace {

std::unique_ptr<Peer> make_peer(forms::Control& control, const BackendServices& services) {
    const forms::PixelRect place = services.scale.device(control.bounds());
    const int x = place.left;
    const int y = place.top;
    const int w = place.right - place.left;
    const int h = place.bottom - place.top;
    const scaling::Scale scale = services.scale;
    return forms::visit(
        control,
        forms::overloaded{
            [&](forms::TextBox& box) -> std::unique_ptr<Peer> {
                return std::make_unique<TextBoxPeer>(box, services.selections, scale, x, y, w, h);
            },
            [&](forms::Image& image) -> std::unique_ptr<Peer> {
                return std::make_unique<ImagePeer>(image, services.pictures, scale, x, y, w, h);
            },
            [&](forms::Timer& timer) -> std::unique_ptr<Peer> {
                return std::make_unique<TimerPeer>(timer);
            },
            [&](forms::Label& label) -> std::unique_ptr<Peer> {
                return std::make_unique<LabelPeer>(label, scale, x, y, w, h);
            },
            [&](forms::VScrollBar& bar) -> std::unique_ptr<Peer> {
                return std::make_unique<ScrollBarPeer>(bar, scale, x, y, w, h);
            },
            [&](forms::CheckBox& box) -> std::unique_ptr<Peer> {
                return std::make_unique<CheckBoxPeer>(box, scale, x, y, w, h);
            },
            [&](forms::CommandButton& button) -> std::unique_ptr<Peer> {
                return std::make_unique<CommandButtonPeer>(button, scale, x, y, w, h);
            },
            [&](forms::PictureBox& box) -> std::unique_ptr<Peer> {
                return std::make_unique<PictureBoxPeer>(box, scale, x, y, w, h);
            },
        });
}

}  // namespace

NativeWindow::NativeWindow(forms::Form& form, const BackendServices& services, FrameExtents& frame)
    : Fl_Window(services.scale.device_length(form.client_width()),
                services.scale.device_length(form.client_height())),
      form_(&form),
      services_(services),
      frame_(frame) {
    end();
    copy_label(form.Caption().c_str());
    xclass("varnel");
    color(to_fl_color(form.runtime().resolve(form.BackColor())));
    size_range(w(), h(), w(), h());
    callback([](Fl_Widget* widget, void*) {
        // Esc asks an FLTK window to close; here it closes nothing.
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
        auto& window = static_cast<NativeWindow&>(*widget);
        if (window.form_ != nullptr) window.form_->user_close();
    });
    add_peers();
    report_geometry();
}

void NativeWindow::add_peers() {
    // FLTK draws a window's children in order, each over those before it, and its Tab key
    // follows the same order: the controls beneath go first, the rest follow in Tab order.
    const forms::Stacking stacking = forms::stacking(*form_);
    for (const std::vector<forms::Control*>* group : {&stacking.beneath, &stacking.above}) {
        for (forms::Control* control : *group) {
            std::unique_ptr<Peer> peer = make_peer(*control, services_);
            if (auto* widget = dynamic_cast<Fl_Widget*>(peer.get())) add(widget);
            peers_.emplace_back(control, std::move(peer));
        }
    }
}

void NativeWindow::show_state() {
    if (form_ == nullptr) return;
    if (form_->Caption() != label()) copy_label(form_->Caption().c_str());
    if (form_->Left() != reported_left_ || form_->Top() != reported_top_) {
        const scaling::Scale scale = services_.scale;
        position(scale.device_of_twips(form_->Left()) + frame_.left,
                 scale.device_of_twips(form_->Top()) + frame_.top);
    }
    if (form_->Visible() && !shown()) {
        show_where_placed();
        // FLTK makes a new X window each time it shows a hidden one: the hints go with each.
        offer_only_move_and_close(*this);
    } else if (!form_->Visible() && shown()) {
        hide();
    }
}

void NativeWindow::show_where_placed() {
    if (!force_position()) {
        show();
        return;
    }
    // FLTK moves a new window that would stand partly or wholly off the screen back onto it,
    // except while a pointer grab is in progress (a menu's window stands where it is put). A
    // window the program placed is created exactly there, beyond the screen's edge if that is
    // where it falls; whether it stays there is the window manager's decision. Only FLTK's flag
    // is set, for the moment the window is created: nothing is grabbed.
    Fl_Window* const grab = std::exchange(Fl::grab_, this);
    show();
    Fl::grab_ = grab;
}

Peer* NativeWindow::peer_of(const forms::Control& control) const {
    const auto found =
        std::ranges::find(peers_, &control, [](const auto& entry) { return entry.first; });
    return found == peers_.end() ? nullptr : found->second.get();
}

void NativeWindow::show_state(const forms::Control& control) {
    if (Peer* peer = peer_of(control)) peer->show_state();
}

const Fl_Widget* NativeWindow::widget_of(const forms::Control& control) const {
    return dynamic_cast<const Fl_Widget*>(peer_of(control));
}

const forms::Control* NativeWindow::control_of(const Fl_Widget& widget) const {
    const auto found = std::ranges::find_if(peers_, [&](const auto& entry) {
        return dynamic_cast<const Fl_Widget*>(entry.second.get()) == &widget;
    });
    return found == peers_.end() ? nullptr : found->first;
}

void NativeWindow::bring_to_front() {
    if (!shown()) return;
    show();
    request_activation(*this);
}

void NativeWindow::report_activation() {
    if (form_ != nullptr) form_->user_activate();
}

void NativeWindow::detach() {
    form_ = nullptr;
    for (auto& entry : peers_) entry.second->detach();
}

void NativeWindow::draw() {
    Fl_Window::draw();
    drawn_ = true;
}

int NativeWindow::handle(int event) {
    // A click in a window that is not yet the active one activates it first.
    if (event == FL_PUSH) report_activation();
    // An Enter that no control takes would move the focus to the control below; here, as in a
    // window of the system the program was made for, it does nothing.
    const bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
    if (event == FL_SHORTCUT && enter) return 1;
    return Fl_Window::handle(event);
}

void NativeWindow::resize(int x, int y, int w, int h) {
    Fl_Window::resize(x, y, w, h);
    report_geometry();
}

void NativeWindow::report_geometry() {
    if (form_ == nullptr) return;
    if (const std::optional<FrameExtents> extents = frame_extents(*this)) frame_ = *extents;
    const scaling::Scale scale = services_.scale;
    reported_left_ = scale.twips(x() - frame_.left);
    reported_top_ = scale.twips(y() - frame_.top);
    form_->user_moved(reported_left_, reported_top_, scale.twips(w() + frame_.left + frame_.right),
                      scale.twips(h() + frame_.top + frame_.bottom));
}

void RetireWindow::operator()(NativeWindow* window) const {
    window->detach();
    window->hide();
    Fl::delete_widget(window);
}

}  // namespace fltk
