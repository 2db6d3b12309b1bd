#pragma once

#include <FL/Fl_Window.H>

#include <optional>

namespace fltk {

// What the window manager adds around a window's client area, in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The extents the window manager announced for a shown window; nothing before it has.
std::optional<FrameExtents> frame_extents(const Fl_Window& window);

// Asks the window manager to offer only moving and closing the shown window: no resizing,
// no minimize or maximize button.
void offer_only_move_and_close(const Fl_Window& window);

// Asks the window manager to raise the shown window and give it the focus.
void request_activation(const Fl_Window& window);

}  // namespace fltk
