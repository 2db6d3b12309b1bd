#pragma once

#include <array>

#include "platform/forms/geometry.h"
#include "platform/forms/picture_box.h"
#include "platform/scaling/scale.h"

namespace scaling {

// The four shades of a sunken edge, as the system names them: the outer ring is shadow above
// and left, highlight below and right; the inner ring dark shadow and light.
enum class Shade { Shadow, Highlight, DarkShadow, Light };

struct BorderStroke {
    forms::PixelRect area;  // device pixels of the window's client area
    Shade shade;
};

// A picture box's border, two rings of one design pixel each, in device pixels at a scale: the
// strokes tile the band between the box's edge and the drawing area that ScaledSurface shows, so
// that the border's pixels, like the surface's, are blocks of whole device pixels, and no pixel is
// drawn twice. Each ring's top and left strokes stop short of its last column and row, which the
// bottom and right strokes draw, as a sunken edge looks at 96 dots per inch.
inline std::array<BorderStroke, 8> sunken_border(Scale scale, const forms::PictureBox& box) {
    const forms::Bounds& twips = box.bounds();
    const int left = forms::to_pixels(twips.left);
    const int top = forms::to_pixels(twips.top);
    // The box's last design column and row.
    const int right = left + forms::to_pixels(twips.width) - 1;
    const int bottom = top + forms::to_pixels(twips.height) - 1;
    const auto device = [scale](int l, int t, int r, int b) {
        return forms::PixelRect{scale.device(l), scale.device(t), scale.device(r), scale.device(b)};
    };
    const auto ring = [&](int inset, Shade above_left, Shade below_right) {
        const int l = left + inset;
        const int t = top + inset;
        const int r = right - inset;
        const int b = bottom - inset;
        return std::array<BorderStroke, 4>{{{device(l, t, r, t + 1), above_left},
                                            {device(l, t + 1, l + 1, b), above_left},
                                            {device(l, b, r + 1, b + 1), below_right},
                                            {device(r, t, r + 1, b), below_right}}};
    };
    const auto outer = ring(0, Shade::Shadow, Shade::Highlight);
    const auto inner = ring(1, Shade::DarkShadow, Shade::Light);
    return {outer[0], outer[1], outer[2], outer[3], inner[0], inner[1], inner[2], inner[3]};
}

}  // namespace scaling
