#include "platform/atk_module/text_pieces.h"

#include <glib.h>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace atk_module {

namespace {

bool continues(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

// A place in the text: a character's index and the byte where it starts.
struct Place {
    long index = 0;
    std::size_t byte = 0;
};

class Walk {
public:
    explicit Walk(std::string_view text) : text_(text) {}

    // The place of the character at this index (at most the text's end), and how many
    // characters the text has: one walk over it.
    std::pair<Place, long> find(long index) const {
        Place at{-1, 0};
        long count = 0;
        for (std::size_t byte = 0; byte < text_.size(); ++byte) {
            if (continues(text_[byte])) continue;
            if (count == index) at = {count, byte};
            ++count;
        }
        if (at.index < 0) at = {count, text_.size()};
        return {at, count};
    }
    gunichar at(Place place) const { return g_utf8_get_char(text_.data() + place.byte); }
    Place next(Place place) const {
        std::size_t byte = place.byte + 1;
        while (byte < text_.size() && continues(text_[byte])) ++byte;
        return {place.index + 1, byte};
    }
    Place previous(Place place) const {
        std::size_t byte = place.byte - 1;
        while (byte > 0 && continues(text_[byte])) --byte;
        return {place.index - 1, byte};
    }

private:
    std::string_view text_;
};

bool space(gunichar c) { return g_unichar_isspace(c) != 0; }
bool full_stop(gunichar c) { return c == '.' || c == '!' || c == '?'; }

// Whether a sentence starts at the character at `place`: the text's first, the one after a line
// break, or one that is no white space after a run of white space that follows a full stop.
bool sentence_starts(const Walk& walk, Place place) {
    if (place.index == 0) return true;
    Place before = walk.previous(place);
    if (walk.at(before) == '\n') return true;
    if (space(walk.at(place)) || !space(walk.at(before))) return false;
    while (before.index > 0 && space(walk.at(before)) && walk.at(before) != '\n') {
        before = walk.previous(before);
    }
    return full_stop(walk.at(before));
}

}  // namespace

long character_count(std::string_view text) {
    return static_cast<long>(std::ranges::count_if(text, [](char c) { return !continues(c); }));
}

TextPiece piece_at(std::string_view text, long offset, TextUnit unit) {
    const Walk walk(text);
    const auto [at, count] = walk.find(std::max(offset, 0L));
    if (at.index == count) return {count, count};
    Place from = at;
    Place to = walk.next(at);
    switch (unit) {
        case TextUnit::Character:
            break;
        case TextUnit::Word: {
            const bool blank = space(walk.at(at));
            while (from.index > 0 && space(walk.at(walk.previous(from))) == blank) {
                from = walk.previous(from);
            }
            while (to.index < count && space(walk.at(to)) == blank) to = walk.next(to);
            break;
        }
        case TextUnit::Sentence:
            while (!sentence_starts(walk, from)) from = walk.previous(from);
            while (to.index < count && !sentence_starts(walk, to)) to = walk.next(to);
            break;
        case TextUnit::Line:
            while (from.index > 0 && walk.at(walk.previous(from)) != '\n') {
                from = walk.previous(from);
            }
            if (walk.at(at) != '\n') {
                while (to.index < count && walk.at(walk.previous(to)) != '\n') to = walk.next(to);
            }
            break;
    }
    return {from.index, to.index};
}

}  // namespace atk_module
