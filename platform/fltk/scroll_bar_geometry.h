#pragma once

namespace fltk {

// Where the parts of a vertical scroll bar lie, in pixels from its top: an arrow at each end, as
// tall as the bar is wide (or half the bar), a square thumb between them, which runs from Min at
// the top to Max at the bottom.
struct ScrollBarGeometry {
    enum class Part { Nowhere, UpArrow, DownArrow, TroughAbove, TroughBelow, Thumb };

    int width = 0;
    int height = 0;
    int min = 0;
    int max = 0;

    int arrow_size() const;
    int thumb_size() const;
    int thumb_top(int value) const;
    // The value whose thumb would stand with its top at this place (clamped to the track).
    int value_at_thumb_top(int top) const;
    // The part under this place, with the thumb at this value.
    Part part_at(int y, int value) const;

private:
    int track() const;  // how far the thumb's top can move
};

}  // namespace fltk
