#pragma once

#include <cstdint>
#include <vector>

namespace varnel {

// The program icon drawn at a size in pixels, for the icon files of the downloads and the
// windows at other scales: the same three discs, each pixel as opaque as the share of it that
// they cover, so that their edges are smooth at every size. At the design's own size, 32, it is
// the design's image, pixel for pixel. Four bytes a pixel, red, green, blue and alpha (not
// premultiplied), rows from the top.
std::vector<std::uint8_t> program_icon_drawing(int size);

}  // namespace varnel
