#pragma once

#include <cstddef>
#include <string_view>

namespace forms {

// The program's text is UTF-8, but text boxes count characters: a selection, a caret, the
// pieces of a typed hex code. A stray byte that starts no valid sequence counts as one
// character, and a sequence cut short by the end of the text as one more.

// The length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequence_length(unsigned char lead);
// How many characters the text holds.
std::size_t character_count(std::string_view utf8);
// Where the character with this index starts, in bytes; the text's size at or past its end.
std::size_t byte_offset(std::string_view utf8, std::size_t characters);
// The same in UTF-16 units, as Windows counts text: two for a character beyond U+FFFF.
std::size_t utf16_offset(std::string_view utf8, std::size_t characters);
// The other way: how many characters start before this many UTF-16 units.
std::size_t characters_before_utf16(std::string_view utf8, std::size_t units);

}  // namespace forms
