#include "platform/fltk/picture_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/fltk/mouse_state.h"
#include "platform/forms/geometry.h"

namespace fltkui {

namespace {

constexpr int Border = forms::PictureBox::BorderPixels;

}  // namespace

PictureView::PictureView(forms::PictureBox& box, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(box) {
    show_state();
}

PictureView::~PictureView() { Fl::remove_timeout(deliver_expose, this); }

void PictureView::show_state() {
    const forms::PictureBox* box = control();
    if (box == nullptr) return;
    const std::vector<forms::ColourValue>& pixels = box->pixels();
    rgb_.resize(pixels.size() * 3);
    auto out = rgb_.begin();
    for (const forms::ColourValue pixel : pixels) {
        *out++ = static_cast<std::uint8_t>(forms::red_of(pixel));
        *out++ = static_cast<std::uint8_t>(forms::green_of(pixel));
        *out++ = static_cast<std::uint8_t>(forms::blue_of(pixel));
    }
    damage(FL_DAMAGE_USER1);
}

void PictureView::detach() {
    ControlPeer::detach();
    Fl::remove_timeout(deliver_expose, this);
}

void PictureView::draw_border() const {
    // A sunken edge: grey and dark grey above and left, white and light grey below and right.
    const int right = x() + w() - 1;
    const int bottom = y() + h() - 1;
    fl_color(fl_rgb_color(128, 128, 128));
    fl_xyline(x(), y(), right - 1);
    fl_yxline(x(), y(), bottom - 1);
    fl_color(FL_WHITE);
    fl_xyline(x(), bottom, right);
    fl_yxline(right, y(), bottom);
    fl_color(fl_rgb_color(64, 64, 64));
    fl_xyline(x() + 1, y() + 1, right - 2);
    fl_yxline(x() + 1, y() + 1, bottom - 2);
    fl_color(fl_rgb_color(223, 223, 223));
    fl_xyline(x() + 1, bottom - 1, right - 1);
    fl_yxline(right - 1, y() + 1, bottom - 1);
}

void PictureView::draw() {
    const bool surface_only = damage() == FL_DAMAGE_USER1;
    if (!surface_only) {
        draw_border();
        // Drawn by the window system's request, not the model's: the part of the drawing area
        // that needs drawing is repainted by the model once this drawing is done.
        int cx = 0;
        int cy = 0;
        int cw = 0;
        int ch = 0;
        fl_clip_box(x() + Border, y() + Border, w() - 2 * Border, h() - 2 * Border, cx, cy, cw, ch);
        if (cw > 0 && ch > 0) {
            const int left = cx - x() - Border;
            const int top = cy - y() - Border;
            expose_later({left, top, left + cw, top + ch});
        }
    }
    const forms::PictureBox* box = control();
    if (box == nullptr || rgb_.empty()) return;
    fl_draw_image(rgb_.data(), x() + Border, y() + Border, box->surface_width(),
                  box->surface_height(), 3);
}

void PictureView::expose_later(forms::PixelRect area) {
    if (expose_pending_) {
        exposed_ = {std::min(exposed_.left, area.left), std::min(exposed_.top, area.top),
                    std::max(exposed_.right, area.right), std::max(exposed_.bottom, area.bottom)};
        return;
    }
    expose_pending_ = true;
    exposed_ = area;
    Fl::add_timeout(0.0, deliver_expose, this);
}

void PictureView::deliver_expose(void* data) {
    auto& view = *static_cast<PictureView*>(data);
    view.expose_pending_ = false;
    if (forms::PictureBox* box = view.control()) box->user_expose(view.exposed_);
}

float PictureView::twips_x() const {
    return static_cast<float>((Fl::event_x() - x() - Border) * forms::TwipsPerPixel);
}

float PictureView::twips_y() const {
    return static_cast<float>((Fl::event_y() - y() - Border) * forms::TwipsPerPixel);
}

int PictureView::handle(int event) {
    forms::PictureBox* box = control();
    switch (event) {
        case FL_ENTER:
        case FL_LEAVE:
        case FL_RELEASE:
            return 1;
        case FL_PUSH:
            if (box != nullptr)
                box->user_mouse_down(mouse_button_pressed(), shift_state(), twips_x(), twips_y());
            // Accepting the press keeps the pointer's moves coming while the button is held.
            return 1;
        case FL_MOVE:
        case FL_DRAG:
            if (box != nullptr)
                box->user_mouse_move(mouse_buttons_held(), shift_state(), twips_x(), twips_y());
            return 1;
        default:
            return Fl_Widget::handle(event);
    }
}

}  // namespace fltkui
