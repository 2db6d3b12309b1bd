#pragma once

#include <cstdint>
#include <vector>

namespace win32 {

// The fields of Windows' bitmap and icon file formats, written little-endian. Portable, for the
// build's icon tools as much as for the program.

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>((value >> 8U) & 0xFFU));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16U);
}

// The header (BITMAPINFOHEADER) of an icon image's bitmap: size x size pixels of `bits` bits
// with a palette of `colours`, and the 1-bit mask below them, so twice the height.
inline void put_icon_bitmap_header(std::vector<std::uint8_t>& out, std::uint32_t size,
                                   std::uint32_t bits, std::uint32_t colours) {
    // Rows of each image are padded to four bytes.
    const std::uint32_t colour_row = (size * bits + 31) / 32 * 4;
    const std::uint32_t mask_row = (size + 31) / 32 * 4;
    put32(out, 40);        // the header's own size
    put32(out, size);      // width
    put32(out, 2 * size);  // the colour image and the mask, one above the other
    put16(out, 1);         // planes
    put16(out, bits);
    put32(out, 0);  // uncompressed
    put32(out, (colour_row + mask_row) * size);
    put32(out, 0);
    put32(out, 0);
    put32(out, colours);
    put32(out, 0);
}

}  // namespace win32
