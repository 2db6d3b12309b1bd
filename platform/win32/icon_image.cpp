#include "platform/win32/icon_image.h"

#include "platform/win32/bitmap_fields.h"

namespace win32 {

std::vector<std::uint8_t> icon_image(const forms::Icon& icon) {
    constexpr int Size = forms::Icon::Size;
    std::vector<std::uint8_t> out;
    put_icon_bitmap_header(out, Size, 4, static_cast<std::uint32_t>(forms::StandardPalette.size()));
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

}  // namespace win32
