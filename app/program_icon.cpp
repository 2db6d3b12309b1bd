#include "app/program_icon.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel {

namespace {

// A disc filling the square of pixel columns x0..x1 and rows y0..y1 (both ends included).
struct Disc {
    int x0, x1, y0, y1;
    std::uint8_t colour;  // index in the standard 16-colour palette

    constexpr bool covers(int x, int y) const {
        // Work in doubled coordinates so that the centre and radius stay whole numbers.
        const int cx = x0 + x1;
        const int cy = y0 + y1;
        const int diameter = x1 - x0 + 1;
        const int dx = 2 * x - cx;
        const int dy = 2 * y - cy;
        return dx * dx + dy * dy <= diameter * diameter;
    }
};

constexpr Disc Discs[] = {
    {3, 15, 2, 14, 9},    // red (255, 0, 0), upper left
    {16, 29, 9, 22, 2},   // dark green (0, 128, 0), right
    {2, 13, 18, 29, 12},  // blue (0, 0, 255), lower left
};

constexpr forms::Icon make_icon() {
    forms::Icon icon;
    for (int y = 0; y < forms::Icon::Size; ++y) {
        for (int x = 0; x < forms::Icon::Size; ++x) {
            std::uint8_t index = forms::Icon::Transparent;
            for (const Disc& disc : Discs) {
                if (disc.covers(x, y)) index = disc.colour;
            }
            icon.pixels[static_cast<std::size_t>(y) * forms::Icon::Size +
                        static_cast<std::size_t>(x)] = index;
        }
    }
    return icon;
}

constexpr forms::Icon Icon = make_icon();

}  // namespace

const forms::Icon& program_icon() { return Icon; }

}  // namespace varnel
