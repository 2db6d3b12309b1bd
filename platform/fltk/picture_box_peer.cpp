#include "platform/fltk/picture_box_peer.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/mouse_state.h"

namespace fltk {

namespace {

// The ball trail changes a pixel every 10 ms. Drawing each change at once costs an X request
// and a write on every tick, which more than doubles what the ticks themselves cost; drawing
// what changed at most 30 times a second, as animations commonly are, looks the same. A change
// that nothing follows is drawn at most this late.
constexpr auto PresentationInterval = std::chrono::milliseconds(33);
constexpr double LatestPresentationSeconds = 0.035;

// A sunken edge's shades, as the classic system colours draw them.
Fl_Color shade_colour(scaling::Shade shade) {
    switch (shade) {
        case scaling::Shade::Shadow:
            return fl_rgb_color(128, 128, 128);
        case scaling::Shade::Highlight:
            return FL_WHITE;
        case scaling::Shade::DarkShadow:
            return fl_rgb_color(64, 64, 64);
        case scaling::Shade::Light:
            return fl_rgb_color(223, 223, 223);
    }
    return FL_BLACK;
}

}  // namespace

PictureBoxPeer::PictureBoxPeer(forms::PictureBox& box, scaling::Scale scale, int x, int y, int w,
                               int h)
    : Fl_Widget(x, y, w, h),
      ControlPeer(box),
      surface_(scale, box),
      drawing_area_(surface_.device_area({0, 0, box.surface_width(), box.surface_height()})),
      border_(scaling::sunken_border(scale, box)) {
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
    const int stride = (drawing_area_.right - drawing_area_.left) * 3;
    rgb_.resize(static_cast<std::size_t>(stride * (drawing_area_.bottom - drawing_area_.top)));
    // Each device pixel shows the surface pixel under it.
    const forms::PixelRect device = surface_.device_area(area);
    for (int y = device.top; y < device.bottom; ++y) {
        const int row = surface_.row_at(y);
        auto out =
            rgb_.begin() + static_cast<std::ptrdiff_t>((y - drawing_area_.top) * stride +
                                                       (device.left - drawing_area_.left) * 3);
        for (int x = device.left; x < device.right; ++x) {
            const forms::ColourValue pixel = box->pixel(surface_.column_at(x), row);
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
    const forms::PixelRect device = surface_.device_area(area);
    damage(FL_DAMAGE_USER1, device.left, device.top, device.right - device.left,
           device.bottom - device.top);
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
    for (const scaling::BorderStroke& stroke : border_) {
        fl_color(shade_colour(stroke.shade));
        const forms::PixelRect& area = stroke.area;
        fl_rectf(area.left, area.top, area.right - area.left, area.bottom - area.top);
    }
}

void PictureBoxPeer::draw() {
    const bool surface_only = damage() == FL_DAMAGE_USER1;
    // Only the part that needs drawing goes to the X server.
    const forms::PixelRect& area = drawing_area_;
    int cx = 0;
    int cy = 0;
    int cw = 0;
    int ch = 0;
    fl_clip_box(area.left, area.top, area.right - area.left, area.bottom - area.top, cx, cy, cw,
                ch);
    if (!surface_only) {
        draw_border();
        // Drawn by the window system's request, not the model's: the surface pixels that need
        // drawing are repainted by the model once this drawing is done.
        if (cw > 0 && ch > 0) expose_later(surface_.surface_area({cx, cy, cx + cw, cy + ch}));
    }
    if (control() == nullptr || rgb_.empty() || cw <= 0 || ch <= 0) return;
    const int stride = (area.right - area.left) * 3;
    fl_draw_image(rgb_.data() + (cy - area.top) * stride + (cx - area.left) * 3, cx, cy, cw, ch, 3,
                  stride);
}

void PictureBoxPeer::expose_later(forms::PixelRect area) {
    if (!expose_pending_) Fl::add_timeout(0.0, deliver_expose, this);
    expose_pending_ = true;
    exposed_ = forms::bounding(exposed_, area);
}

void PictureBoxPeer::deliver_expose(void* data) {
    auto& view = *static_cast<PictureBoxPeer*>(data);
    view.expose_pending_ = false;
    const forms::PixelRect area = std::exchange(view.exposed_, {});
    if (forms::PictureBox* box = view.control()) box->user_expose(area);
}

int PictureBoxPeer::handle(int event) {
    forms::PictureBox* box = control();
    switch (event) {
        case FL_ENTER:
        case FL_LEAVE:
        case FL_RELEASE:
            return 1;
        case FL_PUSH:
            if (box != nullptr)
                box->user_mouse_down(mouse_button_pressed(), shift_state(),
                                     surface_.twips_x(Fl::event_x()),
                                     surface_.twips_y(Fl::event_y()));
            // Accepting the press keeps the pointer's moves coming while the button is held.
            return 1;
        case FL_MOVE:
        case FL_DRAG:
            if (box != nullptr)
                box->user_mouse_move(mouse_buttons_held(), shift_state(),
                                     surface_.twips_x(Fl::event_x()),
                                     surface_.twips_y(Fl::event_y()));
            return 1;
        default:
            return Fl_Widget::handle(event);
    }
}

}  // namespace fltk
