#pragma once

#include <array>
#include <cstdint>

#include "platform/forms/colour.h"

namespace forms {

// A 32 x 32 icon in 16 colours over the standard 16-colour palette, with a transparency mask.
// Back ends turn it into their native icon.
struct Icon {
    static constexpr int Size = 32;
    static constexpr std::uint8_t Transparent = 0xFF;

    // One palette index per pixel, row by row from the top; Transparent where the mask is set.
    std::array<std::uint8_t, Size * Size> pixels{};

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * Size + x)]; }
    bool transparent(int x, int y) const { return at(x, y) == Transparent; }
};

// The standard 16-colour palette, as colour values.
inline constexpr std::array<ColourValue, 16> StandardPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

}  // namespace forms
