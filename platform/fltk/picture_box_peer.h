#pragma once

#include <FL/Fl_Widget.H>

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/fltk/peer.h"
#include "platform/forms/picture_box.h"

namespace fltk {

// A picture box: the model's pixel surface inside a sunken two-pixel border, presented with one
// image draw of the part that changed, at most 30 times a second. When the window system uncovers
// the box, the model repaints the part uncovered (background, then Paint). Mouse presses and moves
// go to the model in twips from the drawing area's corner; while a button is held, the box keeps
// the pointer even outside itself.
class PictureBoxPeer final : public Fl_Widget, public ControlPeer<forms::PictureBox> {
public:
    PictureBoxPeer(forms::PictureBox& box, int x, int y, int w, int h);
    ~PictureBoxPeer() override;

    void show_state() override;
    void detach() override;

private:
    int handle(int event) override;
    void draw() override;
    void draw_border() const;
    // Asks the model to repaint the area after this drawing is done.
    void expose_later(forms::PixelRect area);
    static void deliver_expose(void* view);
    // Draws what changed: now, or with a later change if the last drawing is very recent.
    void present(forms::PixelRect area);
    void present_pending();
    static void present_late(void* view);

    float twips_x() const;
    float twips_y() const;

    std::vector<std::uint8_t> rgb_;  // the surface as packed RGB, reused between updates
    bool expose_pending_ = false;
    forms::PixelRect exposed_{};
    forms::PixelRect unpresented_{};  // changed, not drawn yet
    std::chrono::steady_clock::time_point last_presented_{};
};

}  // namespace fltk
