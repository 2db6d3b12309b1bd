#pragma once

#include <cstdint>
#include <span>

#include "platform/win32/handles.h"

namespace win32 {

// Decodes JPEG bytes with the system's own picture decoder; null if they cannot be read.
OwnedBitmap decode_jpeg(std::span<const std::uint8_t> bytes);

}  // namespace win32
