#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/colour.h"
#include "platform/forms/control.h"
#include "platform/forms/geometry.h"

namespace forms {

class PictureBox;

// A picture box's device context: what SetPixel draws on. Cheap to copy; valid while the box
// is loaded.
struct HDC {
    PictureBox* box = nullptr;
};

enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
enum ShiftState { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// A picture box with a pixel surface. The surface covers the drawing area inside the border and
// keeps what is drawn until the box is repainted or its background colour is set; it is what
// back ends present on screen.
class PictureBox : public Control {
public:
    // A picture box only shows: the keyboard has nothing to do there, so Tab passes it by.
    static constexpr bool TakesFocus = false;
    // Width of the standard single border (a sunken edge) on each side, in pixels.
    static constexpr int BorderPixels = 2;

    PictureBox(Form& form, std::string name, Bounds bounds, int tab_index);

    ColourValue BackColor() const { return back_colour_; }
    void BackColor(ColourValue colour);  // fills the surface, wiping what was drawn
    forms::HDC hDC() { return forms::HDC{this}; }

    std::function<void()> Paint;
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void(int button, int shift, float x, float y)> MouseMove;

    // The drawing area's size in pixels, and its pixels as colour values, row by row.
    int surface_width() const { return surface_width_; }
    int surface_height() const { return surface_height_; }
    ColourValue pixel(int x, int y) const { return pixels_[index(x, y)]; }
    const std::vector<ColourValue>& pixels() const { return pixels_; }

    void set_pixel(int x, int y, ColourValue colour) {
        if (x < 0 || y < 0 || x >= surface_width_ || y >= surface_height_) return;
        pixels_[index(x, y)] = colour;
        drawn(x, y);
    }

    // The part of the surface drawn on since the back end last took it (empty if none), so that
    // a back end presents only that: a tick of the ball trail changes one pixel.
    PixelRect take_changed_area() { return std::exchange(changed_area_, {}); }

    // Part of the box must be redrawn (uncovered, shown again): the runtime has the part
    // filled with the background colour, then raises Paint.
    void user_expose(PixelRect area);
    void user_expose() { user_expose({0, 0, surface_width_, surface_height_}); }
    // Mouse input; x and y in twips from the drawing area's top left corner.
    void user_mouse_down(int button, int shift, float x, float y);
    void user_mouse_move(int buttons, int shift, float x, float y);

private:
    friend class Runtime;
    void repaint(PixelRect area);

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(surface_width_) +
               static_cast<std::size_t>(x);
    }
    void fill(PixelRect area);
    void drawn(const PixelRect& area) {
        changed_area_ = bounding(changed_area_, area);
        changed();
    }
    // SetPixel is the spectrum's inner loop, and a repaint fills its area before Paint draws
    // on it: most pixels lie in the changed area already, and the test is all they cost.
    void drawn(int x, int y) {
        if (!changed_area_.contains(x, y))
            changed_area_ = bounding(changed_area_, {x, y, x + 1, y + 1});
        changed();
    }

    ColourValue back_colour_ = system(SystemColour::WindowBackground);
    int surface_width_;
    int surface_height_;
    std::vector<ColourValue> pixels_;
    PixelRect changed_area_;
};

// Plots one pixel on a device context, in device pixels; a point outside the drawing area draws
// nothing. Like the system call it stands for, its result tells nothing the program uses.
inline void SetPixel(forms::HDC dc, int x, int y, ColourValue colour) {
    if (dc.box != nullptr) dc.box->set_pixel(x, y, colour);
}

}  // namespace forms
