#pragma once

#include <cstdint>
#include <span>

namespace varnel {

// The About window's photograph: a baseline JPEG, 120 x 94 pixels, compiled into the program.
std::span<const std::uint8_t> about_photo();

}  // namespace varnel
