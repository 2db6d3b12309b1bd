// The pieces of a text that screen readers read the module's texts by: every unit at every
// place, offsets beyond either end, and a pasted megabyte read in one walk.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atk_module/text_pieces.h"

namespace {

using atk_module::piece_at;
using atk_module::TextPiece;
using atk_module::TextUnit;

struct Case {
    std::string text;
    long offset;
    TextUnit unit;
    TextPiece expected;
};

TEST(TextPieces, EachUnitHoldsTheCharacterAtTheOffset) {
    const std::string credits = "Version 3.0\nby M. Vela\n";
    const std::string sentences = "It is red. Is it?  Yes!\nNo";
    const std::vector<Case> cases{
        // Characters, one each, also beyond three bytes.
        {"a\xE2\x82\xAC"
         "b",
         1,
         TextUnit::Character,
         {1, 2}},
        {"a\xE2\x82\xAC"
         "b",
         2,
         TextUnit::Character,
         {2, 3}},
        {"a\xF0\x9F\x8E\xA8"
         "b",
         2,
         TextUnit::Character,
         {2, 3}},
        // Words: runs of white space, or of anything else.
        {credits, 2, TextUnit::Word, {0, 7}},
        {credits, 7, TextUnit::Word, {7, 8}},
        {credits, 8, TextUnit::Word, {8, 11}},
        {credits, 11, TextUnit::Word, {11, 12}},  // the line break is white space
        {"#C0FFEE", 3, TextUnit::Word, {0, 7}},
        {"\u00A0x", 1, TextUnit::Word, {1, 2}},  // a no-break space of two bytes first
        // Lines, with their line breaks; the break belongs to the line it ends.
        {credits, 0, TextUnit::Line, {0, 12}},
        {credits, 11, TextUnit::Line, {0, 12}},
        {credits, 14, TextUnit::Line, {12, 23}},
        {"one", 1, TextUnit::Line, {0, 3}},
        // Sentences, with the white space after their full stops, or their line break.
        {sentences, 3, TextUnit::Sentence, {0, 11}},
        {sentences, 10, TextUnit::Sentence, {0, 11}},
        {sentences, 12, TextUnit::Sentence, {11, 19}},
        {sentences, 18, TextUnit::Sentence, {11, 19}},
        {sentences, 20, TextUnit::Sentence, {19, 24}},
        {sentences, 25, TextUnit::Sentence, {24, 26}},
        {"3.5 is 3.5", 5, TextUnit::Sentence, {0, 10}},  // a stop inside a number ends nothing
        {". a", 2, TextUnit::Sentence, {2, 3}},          // a stop that is the first character
        // Offsets beyond either end are clamped: before it, the first piece; at or after its
        // end, the empty piece there.
        {credits, -1, TextUnit::Word, {0, 7}},
        {credits, -100, TextUnit::Character, {0, 1}},
        {credits, 23, TextUnit::Line, {23, 23}},
        {credits, 2147483647, TextUnit::Sentence, {23, 23}},
        {"", 0, TextUnit::Word, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(piece_at(c.text, c.offset, c.unit), c.expected)
            << "\"" << c.text << "\" at " << c.offset << " by unit " << static_cast<int>(c.unit);
    }
    // A text is read within its bounds: a stop just before it in memory ends no sentence of it.
    const std::string stop_before = ". a";
    EXPECT_EQ(piece_at(std::string_view(stop_before).substr(1), 1, TextUnit::Sentence),
              (TextPiece{0, 2}));
}

// A field may hold a megabyte that was pasted into it: a word or a line of it, read at its
// middle, costs one walk over it, not one walk per character.
TEST(TextPieces, AMegabyteIsReadInOneWalk) {
    const std::string pasted(1 << 20, '7');
    const auto began = std::chrono::steady_clock::now();
    for (const TextUnit unit : {TextUnit::Word, TextUnit::Sentence, TextUnit::Line}) {
        EXPECT_EQ(piece_at(pasted, 1 << 19, unit), (TextPiece{0, 1 << 20}));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2));
}

}  // namespace
