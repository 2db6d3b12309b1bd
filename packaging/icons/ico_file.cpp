#include "packaging/icons/ico_file.h"

#include <stdexcept>

#include "packaging/icons/png_file.h"
#include "platform/win32/bitmap_fields.h"

namespace packaging {

namespace {

void check_pixels(int size, std::span<const std::uint8_t> rgba) {
    if (size <= 0 || size > 256 ||
        rgba.size() != static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4) {
        throw std::invalid_argument("an icon image is 1 to 256 pixels square, four bytes each");
    }
}

std::uint8_t alpha_at(std::span<const std::uint8_t> rgba, int size, int x, int y) {
    return rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                 static_cast<std::size_t>(x)) *
                    4 +
                3];
}

}  // namespace

IcoImage icon_bitmap(int size, std::span<const std::uint8_t> rgba) {
    check_pixels(size, rgba);
    IcoImage image{size, 32, {}};
    std::vector<std::uint8_t>& out = image.bytes;
    win32::put_icon_bitmap_header(out, static_cast<std::uint32_t>(size), 32, 0);
    // Rows run from the bottom up, each pixel blue, green, red, alpha.
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                             static_cast<std::size_t>(x)) *
                            4;
            out.insert(out.end(), {rgba[at + 2], rgba[at + 1], rgba[at], rgba[at + 3]});
        }
    }
    const int mask_row = (size + 31) / 32 * 4;
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(mask_row), 0);
        for (int x = 0; x < size; ++x) {
            if (alpha_at(rgba, size, x, y) < 128) {
                row[static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80U >> static_cast<unsigned>(x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return image;
}

IcoImage icon_png(int size, std::span<const std::uint8_t> rgba) {
    check_pixels(size, rgba);
    return {size, 32, png_file(size, size, rgba)};
}

std::vector<std::uint8_t> ico_file(const std::vector<IcoImage>& images) {
    constexpr std::uint32_t HeaderBytes = 6;
    constexpr std::uint32_t EntryBytes = 16;
    std::vector<std::uint8_t> out;
    win32::put16(out, 0);  // reserved
    win32::put16(out, 1);  // an icon, not a cursor
    win32::put16(out, static_cast<std::uint32_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(HeaderBytes + EntryBytes * images.size());
    for (const IcoImage& image : images) {
        // 256 pixels are written as 0; a palette of 16 colours as 16, none as 0.
        out.push_back(static_cast<std::uint8_t>(image.size % 256));
        out.push_back(static_cast<std::uint8_t>(image.size % 256));
        out.push_back(static_cast<std::uint8_t>(image.bits_per_pixel == 4 ? 16 : 0));
        out.push_back(0);
        win32::put16(out, 1);  // planes
        win32::put16(out, static_cast<std::uint32_t>(image.bits_per_pixel));
        win32::put32(out, static_cast<std::uint32_t>(image.bytes.size()));
        win32::put32(out, offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const IcoImage& image : images)
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

}  // namespace packaging
