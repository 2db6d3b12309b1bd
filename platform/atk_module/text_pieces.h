#pragma once

#include <string_view>

namespace atk_module {

// The pieces of a text that screen readers read it by. The texts here have no lines but those
// their line breaks make, so that a paragraph is a line.
enum class TextUnit {
    Character,
    Word,      // a run of characters that are all white space, or all not
    Sentence,  // up to and with its full stop, question or exclamation mark and the white space
               // after it, or its line break
    Line,      // up to and with its line break
};

// Characters [start, end) of a text.
struct TextPiece {
    long start = 0;
    long end = 0;
    bool operator==(const TextPiece&) const = default;
};

// The number of characters of a text in valid UTF-8.
long character_count(std::string_view text);
// The piece of this unit that holds the character at `offset` of a text in valid UTF-8. The
// offset is clamped to the text: at or after its end, the piece is the empty one there. Costs no
// more than one walk over the text.
TextPiece piece_at(std::string_view text, long offset, TextUnit unit);

}  // namespace atk_module
