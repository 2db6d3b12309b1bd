#pragma once

#include <cstdint>

namespace varnel {

// The program icon's three discs, on the 32 x 32 grid of its design. Both the design's pixels
// and the drawings at other sizes are made from these.
struct IconDisc {
    int x0, x1, y0, y1;   // the pixel columns and rows it fills, both ends included
    std::uint8_t colour;  // index in the standard 16-colour palette

    // Whether the point (x / unit, y / unit) of the grid lies in the disc, with the grid's
    // pixels one unit wide: whole numbers keep the test exact at every sampling. A pixel's
    // centre is (2 x + 1, 2 y + 1) at unit 2.
    constexpr bool covers(std::int64_t x, std::int64_t y, std::int64_t unit) const {
        // Doubled, so that the centre and the diameter stay whole numbers.
        const std::int64_t dx = 2 * x - (x0 + x1 + 1) * unit;
        const std::int64_t dy = 2 * y - (y0 + y1 + 1) * unit;
        const std::int64_t diameter = (x1 - x0 + 1) * unit;
        return dx * dx + dy * dy <= diameter * diameter;
    }
};

// Where they overlap, a later one lies above an earlier.
inline constexpr IconDisc IconDiscs[] = {
    {3, 15, 2, 14, 9},    // red (255, 0, 0), upper left
    {16, 29, 9, 22, 2},   // dark green (0, 128, 0), right
    {2, 13, 18, 29, 12},  // blue (0, 0, 255), lower left
};

}  // namespace varnel
