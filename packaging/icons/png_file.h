#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace packaging {

// A PNG file of an 8-bit RGBA image: `rgba` holds four bytes a pixel, rows from the top.
std::vector<std::uint8_t> png_file(int width, int height, std::span<const std::uint8_t> rgba);

}  // namespace packaging
