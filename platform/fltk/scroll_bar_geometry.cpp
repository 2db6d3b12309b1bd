#include "platform/fltk/scroll_bar_geometry.h"

#include <algorithm>

namespace fltk {

int ScrollBarGeometry::arrow_size() const { return std::min(width, height / 2); }

int ScrollBarGeometry::thumb_size() const {
    return std::min(width, std::max(0, height - 2 * arrow_size()));
}

int ScrollBarGeometry::track() const { return height - 2 * arrow_size() - thumb_size(); }

int ScrollBarGeometry::thumb_top(int value) const {
    const int range = max - min;
    const int offset = range > 0 ? ((value - min) * track() + range / 2) / range : 0;
    return arrow_size() + offset;
}

int ScrollBarGeometry::value_at_thumb_top(int top) const {
    if (track() <= 0) return min;
    const int offset = std::clamp(top - arrow_size(), 0, track());
    return min + (offset * (max - min) + track() / 2) / track();
}

ScrollBarGeometry::Part ScrollBarGeometry::part_at(int y, int value) const {
    if (y < 0 || y >= height) return Part::Nowhere;
    if (y < arrow_size()) return Part::UpArrow;
    if (y >= height - arrow_size()) return Part::DownArrow;
    if (y < thumb_top(value)) return Part::TroughAbove;
    if (y >= thumb_top(value) + thumb_size()) return Part::TroughBelow;
    return Part::Thumb;
}

}  // namespace fltk
