#include "platform/fltk/picture_box_peer.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/mouse_state.h"
#include "platform/forms/geometry.h"

namespace fltk {

namespace {

constexpr int Border = forms::PictureBox::BorderPixels;

// The ball trail changes a pixel every 10 ms. Drawing each change at once costs an X request
// and a write on every tick, which more than doubles what the ticks themselves cost; drawing
// what changed at most 30 times a second, as animations commonly are, looks the same. A change
// that nothing follows is drawn at most this late.
constexpr auto PresentationInterval = std::chrono::milliseconds(33);
constexpr double LatestPresentationSeconds = 0.035;

}  // namespace

PictureBoxPeer::PictureBoxPeer(forms::PictureBox& box, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(box) {
    show_state();
}

PictureBoxPeer::~PictureBoxPeer() {
    Fl::remove_timeout(deliver_expose, this);
    Fl::remove_timeout(present_late, this);
}

void PictureBoxPeer::show_state() {
    forms::PictureBox* box = control();
    if (box == nullptr) return;
    const forms::PixelRect area = box->take_changed_area();
    if (area.empty()) return;
    const int width = box->surface_width();
    rgb_.resize(box->pixels().size() * 3);
    for (int row = area.top; row < area.bottom; ++row) {
        auto out = rgb_.begin() + static_cast<std::ptrdiff_t>((row * width + area.left) * 3);
        for (int column = area.left; column < area.right; ++column) {
            const forms::ColourValue pixel = box->pixel(column, row);
            *out++ = static_cast<std::uint8_t>(forms::red_of(pixel));
            *out++ = static_cast<std::uint8_t>(forms::green_of(pixel));
            *out++ = static_cast<std::uint8_t>(forms::blue_of(pixel));
        }
    }
    present(area);
}

void PictureBoxPeer::present(forms::PixelRect area) {
    unpresented_ = forms::bounding(unpresented_, area);
    if (std::chrono::steady_clock::now() - last_presented_ >= PresentationInterval) {
        present_pending();
    } else if (!Fl::has_timeout(present_late, this)) {
        Fl::add_timeout(LatestPresentationSeconds, present_late, this);
    }
}

void PictureBoxPeer::present_pending() {
    Fl::remove_timeout(present_late, this);
    const forms::PixelRect area = std::exchange(unpresented_, {});
    if (area.empty()) return;
    last_presented_ = std::chrono::steady_clock::now();
    damage(FL_DAMAGE_USER1, x() + Border + area.left, y() + Border + area.top,
           area.right - area.left, area.bottom - area.top);
}

void PictureBoxPeer::present_late(void* data) {
    static_cast<PictureBoxPeer*>(data)->present_pending();
}

void PictureBoxPeer::detach() {
    ControlPeer::detach();
    Fl::remove_timeout(deliver_expose, this);
    Fl::remove_timeout(present_late, this);
}

void PictureBoxPeer::draw_border() const {
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

void PictureBoxPeer::draw() {
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
    // Only the part that needs drawing goes to the X server.
    const int left = x() + Border;
    const int top = y() + Border;
    int cx = 0;
    int cy = 0;
    int cw = 0;
    int ch = 0;
    fl_clip_box(left, top, box->surface_width(), box->surface_height(), cx, cy, cw, ch);
    if (cw <= 0 || ch <= 0) return;
    const int stride = box->surface_width() * 3;
    fl_draw_image(rgb_.data() + (cy - top) * stride + (cx - left) * 3, cx, cy, cw, ch, 3, stride);
}

void PictureBoxPeer::expose_later(forms::PixelRect area) {
    if (expose_pending_) {
        exposed_ = {std::min(exposed_.left, area.left), std::min(exposed_.top, area.top),
                    std::max(exposed_.right, area.right), std::max(exposed_.bottom, area.bottom)};
        return;
    }
    expose_pending_ = true;
    exposed_ = area;
    Fl::add_timeout(0.0, deliver_expose, this);
}

void PictureBoxPeer::deliver_expose(void* data) {
    auto& view = *static_cast<PictureBoxPeer*>(data);
    view.expose_pending_ = false;
    if (forms::PictureBox* box = view.control()) box->user_expose(view.exposed_);
}

float PictureBoxPeer::twips_x() const { return forms::to_twips(Fl::event_x() - x() - Border); }

float PictureBoxPeer::twips_y() const { return forms::to_twips(Fl::event_y() - y() - Border); }

int PictureBoxPeer::handle(int event) {
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

}  // namespace fltk
