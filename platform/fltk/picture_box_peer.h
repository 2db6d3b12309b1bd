#pragma once

#include <FL/Fl_Widget.H>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/fltk/peer.h"
#include "platform/forms/picture_box.h"
#include "platform/scaling/scale.h"
#include "platform/scaling/scaled_surface.h"
#include "platform/scaling/sunken_border.h"

namespace fltk {

// A picture box: the model's pixel surface inside a sunken two-pixel border, presented with one
// image draw of the part that changed, at most 30 times a second. At a larger scale each surface
// pixel is shown as a block of device pixels (nearest neighbour, never blended), and the border's
// pixels likewise. When the window system uncovers the box, the model repaints the surface pixels
// uncovered (background, then Paint). Mouse presses and moves go to the model in twips from the
// drawing area's corner to the surface pixel under the pointer; while a button is held, the box
// keeps the pointer even outside itself.
class PictureBoxPeer final : public Fl_Widget, public ControlPeer<forms::PictureBox> {
public:
    PictureBoxPeer(forms::PictureBox& box, scaling::Scale scale, int x, int y, int w, int h);
    ~PictureBoxPeer() override;

    void show_state() override;
    void detach() override;

private:
    int handle(int event) override;
    void draw() override;
    void draw_border() const;
    // Asks the model to repaint the area after this drawing is done.
    void expose_later(forms::PixelRect area);
    static void deliver_expose(void* data);
    // Draws what changed: now, or with a later change if the last drawing is very recent.
    void present(forms::PixelRect area);
    void present_pending();
    static void present_late(void* data);

    scaling::ScaledSurface surface_;
    forms::PixelRect drawing_area_;  // the device pixels that show the surface
    std::array<scaling::BorderStroke, 8> border_;
    std::vector<std::uint8_t> rgb_;  // the drawing area as packed RGB, reused between updates
    bool expose_pending_ = false;
    forms::PixelRect exposed_{};
    forms::PixelRect unpresented_{};  // changed, not drawn yet
    std::chrono::steady_clock::time_point last_presented_{};
};

}  // namespace fltk
