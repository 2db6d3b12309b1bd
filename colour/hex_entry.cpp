#include "colour/hex_entry.h"

#include <array>
#include <string>

#include "platform/forms/text_units.h"

namespace colour {

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int read_piece(std::string_view piece) {
    int value = 0;
    for (const char c : piece) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        const int digit = hex_digit(c);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

Channels read_hex_entry(std::string_view text) {
    std::string rest;
    for (const char c : text) {
        if (c != '#') rest += c;
    }
    // Cut three pieces of up to two characters (not bytes) before reading any of them.
    std::array<std::string_view, 3> pieces;
    std::string_view left = rest;
    for (std::string_view& piece : pieces) {
        piece = left.substr(0, forms::byte_offset(left, 2));
        left.remove_prefix(piece.size());
    }
    return {read_piece(pieces[0]), read_piece(pieces[1]), read_piece(pieces[2])};
}

}  // namespace colour
