#include "platform/forms/picture_box.h"

#include <algorithm>

#include "platform/forms/runtime.h"

namespace forms {

PictureBox::PictureBox(Form& form, std::string name, Bounds bounds, int tab_index)
    : Control(form, ControlKind::PictureBox, std::move(name), bounds, tab_index),
      surface_width_(std::max(0, to_pixels(bounds.width) - 2 * BorderPixels)),
      surface_height_(std::max(0, to_pixels(bounds.height) - 2 * BorderPixels)),
      pixels_(static_cast<std::size_t>(surface_width_) * static_cast<std::size_t>(surface_height_),
              runtime().resolve(back_colour_)),
      changed_area_{0, 0, surface_width_, surface_height_} {}

void PictureBox::fill(PixelRect area) {
    // Any area may arrive: beyond the surface, or upside down. Only its part on the surface
    // is filled.
    const int left = std::clamp(area.left, 0, surface_width_);
    const int right = std::clamp(area.right, left, surface_width_);
    const int top = std::clamp(area.top, 0, surface_height_);
    const int bottom = std::clamp(area.bottom, top, surface_height_);
    const ColourValue colour = runtime().resolve(back_colour_);
    for (int y = top; y < bottom; ++y) {
        const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(index(0, y));
        std::fill(row + left, row + right, colour);
    }
    drawn({left, top, right, bottom});
}

void PictureBox::BackColor(ColourValue colour) {
    back_colour_ = colour;
    // Setting the background always repaints the box, even with the same colour.
    fill({0, 0, surface_width_, surface_height_});
}

void PictureBox::user_expose(PixelRect area) { runtime().expose_reported(*this, area); }

void PictureBox::repaint(PixelRect area) {
    fill(area);
    runtime().raise(Paint);
}

void PictureBox::user_mouse_down(int button, int shift, float x, float y) {
    runtime().input([&] { runtime().raise(MouseDown, button, shift, x, y); });
}

void PictureBox::user_mouse_move(int buttons, int shift, float x, float y) {
    runtime().input([&] { runtime().raise(MouseMove, buttons, shift, x, y); });
}

}  // namespace forms
