#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace packaging {

// One image of an .ico file, as the file holds it.
struct IcoImage {
    int size;  // width and height in pixels
    int bits_per_pixel;
    std::vector<std::uint8_t> bytes;  // a bitmap with its mask, or a whole PNG file
};

// A drawing (four bytes a pixel, red, green, blue and alpha, rows from the top) as an icon
// bitmap of 32 bits a pixel: the colours with their alpha, and a mask that hides what is less
// than half opaque, for a system that draws no alpha.
IcoImage icon_bitmap(int size, std::span<const std::uint8_t> rgba);

// The same drawing compressed as a PNG file, which Windows Vista and later read in an .ico: what
// its 256-pixel image is, as a bitmap would take 256 KiB.
IcoImage icon_png(int size, std::span<const std::uint8_t> rgba);

// An .ico file holding these images, in this order.
std::vector<std::uint8_t> ico_file(const std::vector<IcoImage>& images);

}  // namespace packaging
