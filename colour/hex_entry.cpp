#include "colour/hex_entry.h"

#include <array>
#include <string>

namespace colour {

namespace {

// The length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

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
    std::size_t at = 0;
    for (std::string_view& piece : pieces) {
        const std::size_t start = at;
        for (int characters = 0; characters < 2 && at < rest.size(); ++characters) {
            at += sequence_length(static_cast<unsigned char>(rest[at]));
        }
        at = std::min(at, rest.size());
        piece = std::string_view(rest).substr(start, at - start);
    }
    return {read_piece(pieces[0]), read_piece(pieces[1]), read_piece(pieces[2])};
}

}  // namespace colour
