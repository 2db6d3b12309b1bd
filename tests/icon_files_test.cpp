// The program icon drawn at any size, and the .ico file's images and directory that the build
// writes from it (packaging/icons).
#include <gtest/gtest.h>

#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "app/program_icon.h"
#include "app/program_icon_drawing.h"
#include "packaging/icons/ico_file.h"

namespace {

std::uint32_t read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8U);
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return read16(bytes, at) | (read16(bytes, at + 2) << 16U);
}

struct Pixel {
    int red, green, blue, alpha;
    bool operator==(const Pixel&) const = default;
};

Pixel pixel(const std::vector<std::uint8_t>& rgba, int size, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                            static_cast<std::size_t>(x)) *
                           4;
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
}

constexpr Pixel Red{255, 0, 0, 255};
constexpr Pixel DarkGreen{0, 128, 0, 255};
constexpr Pixel Blue{0, 0, 255, 255};
constexpr Pixel Clear{0, 0, 0, 0};

TEST(ProgramIconDrawing, AtTheDesignsSizeIsTheDesignPixelForPixel) {
    const std::vector<std::uint8_t> drawing = varnel::program_icon_drawing(32);
    const forms::Icon& icon = varnel::program_icon();
    ASSERT_EQ(drawing.size(), 32U * 32U * 4U);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            Pixel expected = Clear;
            if (!icon.transparent(x, y)) {
                const forms::ColourValue colour = forms::StandardPalette[icon.at(x, y)];
                expected = {forms::red_of(colour), forms::green_of(colour), forms::blue_of(colour),
                            255};
            }
            ASSERT_EQ(pixel(drawing, 32, x, y), expected) << x << "," << y;
        }
    }
}

TEST(ProgramIconDrawing, AtOtherSizesTheSameDiscsWithSmoothEdges) {
    for (const int size : {16, 20, 24, 40, 48, 64, 256}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint8_t> drawing = varnel::program_icon_drawing(size);
        ASSERT_EQ(drawing.size(), static_cast<std::size_t>(size * size * 4));
        // A point of the 32-pixel design, at this size.
        const auto at = [&](double x, double y) {
            return pixel(drawing, size, static_cast<int>(x * size / 32),
                         static_cast<int>(y * size / 32));
        };
        // Each disc's centre (on the design's grid) in its colour, the corners clear.
        EXPECT_EQ(at(9.5, 8.5), Red);
        EXPECT_EQ(at(23, 16), DarkGreen);
        EXPECT_EQ(at(8, 24), Blue);
        EXPECT_EQ(at(0, 0), Clear);
        EXPECT_EQ(at(31.9, 31.9), Clear);
        EXPECT_EQ(at(31.9, 0), Clear);
        // Covered as much as the three discs cover: radii 6.5, 7 and 6 of 32.
        double opacity = 0;
        int partial = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int alpha = pixel(drawing, size, x, y).alpha;
                opacity += alpha / 255.0;
                partial += alpha > 0 && alpha < 255;
            }
        }
        const double discs =
            std::numbers::pi * (6.5 * 6.5 + 7 * 7 + 6 * 6) / (32 * 32) * size * size;
        EXPECT_NEAR(opacity, discs, discs * 0.01);
        // Drawn at this size, not enlarged: the edges are partly covered pixels, as many as
        // the discs' circumferences run through (about 2 pi r each, in pixels at this size).
        const double circumferences = 2 * std::numbers::pi * (6.5 + 7 + 6) * size / 32;
        EXPECT_GT(partial, circumferences * 0.8);
    }
}

TEST(IcoFile, ABitmapImageHoldsTheDrawingBottomUpWithAlphaAndAMaskOfWhatIsMostlyClear) {
    // 3 x 3: opaque red at the top left, half-clear green in the middle, nearly clear blue at
    // the bottom right, clear elsewhere.
    std::vector<std::uint8_t> rgba(3 * 3 * 4, 0);
    const auto put = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                         std::uint8_t a) {
        const auto i = static_cast<std::size_t>((y * 3 + x) * 4);
        rgba[i] = r;
        rgba[i + 1] = g;
        rgba[i + 2] = b;
        rgba[i + 3] = a;
    };
    put(0, 0, 255, 0, 0, 255);
    put(1, 1, 0, 128, 0, 128);
    put(2, 2, 0, 0, 255, 127);
    const packaging::IcoImage image = packaging::icon_bitmap(3, rgba);
    EXPECT_EQ(image.size, 3);
    EXPECT_EQ(image.bits_per_pixel, 32);
    const std::vector<std::uint8_t>& bytes = image.bytes;
    constexpr std::size_t Header = 40, MaskRow = 4;  // a mask row is padded to four bytes
    ASSERT_EQ(bytes.size(), Header + 3 * 3 * 4 + 3 * MaskRow);
    EXPECT_EQ(read32(bytes, 4), 3U);    // width
    EXPECT_EQ(read32(bytes, 8), 6U);    // the image and its mask
    EXPECT_EQ(read16(bytes, 14), 32U);  // bits per pixel
    EXPECT_EQ(read32(bytes, 20), 3U * 3U * 4U + 3U * MaskRow);
    // The last row comes first; each pixel is blue, green, red, alpha.
    const auto bgra = [&](int x, int y) {
        return read32(bytes, Header + static_cast<std::size_t>(((2 - y) * 3 + x) * 4));
    };
    EXPECT_EQ(bgra(0, 0), 0xFFFF0000U);
    EXPECT_EQ(bgra(1, 1), 0x80008000U);
    EXPECT_EQ(bgra(2, 2), 0x7F0000FFU);
    // Mask bits, left to right from the top bit, bottom row first: set where alpha is under 128.
    const auto mask = [&](int y) {
        return bytes[Header + 36 + static_cast<std::size_t>(2 - y) * MaskRow];
    };
    EXPECT_EQ(mask(0), 0b01100000);
    EXPECT_EQ(mask(1), 0b10100000);
    EXPECT_EQ(mask(2), 0b11100000);
}

TEST(IcoFile, APngImageIsAPngFileOfTheDrawing) {
    const packaging::IcoImage image = packaging::icon_png(256, varnel::program_icon_drawing(256));
    EXPECT_EQ(image.size, 256);
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(image.bytes.size(), 33U);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), image.bytes.begin()));
    // IHDR's width and height, big-endian.
    EXPECT_EQ(image.bytes[16 + 2], 1);
    EXPECT_EQ(image.bytes[20 + 2], 1);
    // Compressed: far less than the 256 KiB of its pixels.
    EXPECT_LT(image.bytes.size(), 32U * 1024U);
}

TEST(IcoFile, TheDirectoryListsEachImageWithItsSizeDepthLengthAndPlace) {
    const std::vector<packaging::IcoImage> images = {
        {16, 32, std::vector<std::uint8_t>(100, 1)},
        {32, 4, std::vector<std::uint8_t>(50, 2)},
        {256, 32, std::vector<std::uint8_t>(70, 3)},
    };
    const std::vector<std::uint8_t> file = packaging::ico_file(images);
    ASSERT_EQ(file.size(), 6U + 3U * 16U + 220U);
    EXPECT_EQ(read16(file, 0), 0U);
    EXPECT_EQ(read16(file, 2), 1U);  // an icon
    EXPECT_EQ(read16(file, 4), 3U);  // three images
    std::size_t offset = 6 + 3 * 16;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        SCOPED_TRACE(i);
        EXPECT_EQ(file[entry], images[i].size % 256);  // 256 is written as 0
        EXPECT_EQ(file[entry + 1], images[i].size % 256);
        EXPECT_EQ(file[entry + 2], images[i].bits_per_pixel == 4 ? 16 : 0);  // palette size
        EXPECT_EQ(read16(file, entry + 4), 1U);                              // planes
        EXPECT_EQ(read16(file, entry + 6), static_cast<std::uint32_t>(images[i].bits_per_pixel));
        EXPECT_EQ(read32(file, entry + 8), images[i].bytes.size());
        EXPECT_EQ(read32(file, entry + 12), offset);
        EXPECT_TRUE(std::equal(images[i].bytes.begin(), images[i].bytes.end(),
                               file.begin() + static_cast<std::ptrdiff_t>(offset)));
        offset += images[i].bytes.size();
    }
}

TEST(IcoFile, RefusesPixelsThatDoNotMatchTheSize) {
    EXPECT_THROW(packaging::icon_bitmap(4, std::vector<std::uint8_t>(4 * 4 * 3)),
                 std::invalid_argument);
    EXPECT_THROW(packaging::icon_png(0, {}), std::invalid_argument);
    EXPECT_THROW(packaging::icon_bitmap(257, std::vector<std::uint8_t>(257 * 257 * 4)),
                 std::invalid_argument);
}

}  // namespace
