#pragma once

#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"
#include "platform/scaling/scale.h"

namespace scaling {

// A picture box's pixel surface on a scaled window: which device pixels show each of its pixels,
// and which of its pixels lies under a device pixel. Both come from the window's one grid of
// design pixels (see Scale), so a device pixel shows exactly the surface pixel that a press on it
// picks. Device pixels are counted from the window's client area.
class ScaledSurface {
public:
    ScaledSurface(Scale scale, const forms::PictureBox& box)
        : scale_(scale),
          left_(forms::to_pixels(box.bounds().left) + forms::PictureBox::BorderPixels),
          top_(forms::to_pixels(box.bounds().top) + forms::PictureBox::BorderPixels) {}

    // The device pixels that show these surface pixels.
    forms::PixelRect device_area(const forms::PixelRect& surface) const {
        return {scale_.device(left_ + surface.left), scale_.device(top_ + surface.top),
                scale_.device(left_ + surface.right), scale_.device(top_ + surface.bottom)};
    }

    // The surface column and row under a device pixel (outside the surface for a device pixel
    // outside the drawing area).
    int column_at(int device_x) const { return scale_.design(device_x) - left_; }
    int row_at(int device_y) const { return scale_.design(device_y) - top_; }

    // The surface pixels that some of these device pixels show.
    forms::PixelRect surface_area(const forms::PixelRect& device) const {
        if (device.empty()) return {};
        return {column_at(device.left), row_at(device.top), column_at(device.right - 1) + 1,
                row_at(device.bottom - 1) + 1};
    }

    // Where a press on a device pixel lies for the program: in twips from the drawing area's
    // corner to the surface pixel under it, as a press on that pixel at 96 dots per inch.
    float twips_x(int device_x) const { return forms::to_twips(column_at(device_x)); }
    float twips_y(int device_y) const { return forms::to_twips(row_at(device_y)); }

private:
    Scale scale_;
    int left_;  // the drawing area's corner, in design pixels of the client area
    int top_;
};

}  // namespace scaling
