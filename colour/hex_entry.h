#pragma once

#include <string_view>

namespace colour {

struct Channels {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Channels&) const = default;
};

// Reads a typed hex code leniently: every "#" is dropped, wherever it stands; the first six
// characters left give three pieces of two (a piece is shorter or empty when the text is); each
// piece, with blanks, tabs and line feeds dropped, is read as hexadecimal digits up to the first
// character that is not one, no digit giving 0. Never fails: each channel is 0 to 255.
Channels read_hex_entry(std::string_view text);

}  // namespace colour
