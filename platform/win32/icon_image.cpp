#include "platform/win32/icon_image.h"

namespace win32 {

namespace {

constexpr int Size = forms::Icon::Size;
constexpr std::size_t HeaderBytes = 40;  // BITMAPINFOHEADER
constexpr std::size_t ColourRowBytes = Size / 2;
constexpr std::size_t MaskRowBytes = Size / 8;  // already a multiple of four

// Little-endian fields, as the file formats want them.
void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>((value >> 8U) & 0xFFU));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16U);
}

}  // namespace

std::vector<std::uint8_t> icon_image(const forms::Icon& icon) {
    std::vector<std::uint8_t> out;
    put32(out, HeaderBytes);
    put32(out, Size);
    put32(out, 2 * Size);  // the colour image and the mask, one above the other
    put16(out, 1);         // planes
    put16(out, 4);         // bits per pixel
    put32(out, 0);         // uncompressed
    put32(out, static_cast<std::uint32_t>((ColourRowBytes + MaskRowBytes) * Size));
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(forms::StandardPalette.size()));
    put32(out, 0);
    for (const forms::ColourValue colour : forms::StandardPalette) {
        // RGBQUAD: blue, green, red, reserved.
        out.push_back(static_cast<std::uint8_t>(forms::blue_of(colour)));
        out.push_back(static_cast<std::uint8_t>(forms::green_of(colour)));
        out.push_back(static_cast<std::uint8_t>(forms::red_of(colour)));
        out.push_back(0);
    }
    // Rows run from the bottom up. A transparent pixel is black under a set mask bit.
    for (int y = Size - 1; y >= 0; --y) {
        for (int x = 0; x < Size; x += 2) {
            const auto index = [&](int column) {
                return icon.transparent(column, y) ? 0U : static_cast<unsigned>(icon.at(column, y));
            };
            out.push_back(static_cast<std::uint8_t>((index(x) << 4U) | index(x + 1)));
        }
    }
    for (int y = Size - 1; y >= 0; --y) {
        for (int x = 0; x < Size; x += 8) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (icon.transparent(x + bit, y)) bits |= 0x80U >> static_cast<unsigned>(bit);
            }
            out.push_back(static_cast<std::uint8_t>(bits));
        }
    }
    return out;
}

std::vector<std::uint8_t> ico_file(const forms::Icon& icon) {
    const std::vector<std::uint8_t> image = icon_image(icon);
    constexpr std::uint32_t DirectoryBytes = 6 + 16;
    std::vector<std::uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, 1);  // one image
    out.push_back(Size);
    out.push_back(Size);
    out.push_back(static_cast<std::uint8_t>(forms::StandardPalette.size()));
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, static_cast<std::uint32_t>(image.size()));
    put32(out, DirectoryBytes);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace win32
