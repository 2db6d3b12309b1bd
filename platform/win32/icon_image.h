#pragma once

#include <cstdint>
#include <vector>

#include "platform/forms/icon.h"

namespace win32 {

// A forms icon as one icon image, as an .ico file and an icon resource hold it: a 4-bit
// device-independent bitmap over the standard palette, twice the height for the colour image
// and the mask. Portable on purpose: the build runs it on the host to write the program's .ico
// file, and the program makes window icons of it.
std::vector<std::uint8_t> icon_image(const forms::Icon& icon);

}  // namespace win32
