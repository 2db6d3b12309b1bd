// Reading decimal fields as numbers and rounding them; reading typed hex codes.
#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

#include "colour/decimal_text.h"
#include "colour/hex_entry.h"
#include "platform/forms/caption.h"
#include "platform/forms/text_units.h"

namespace {

using colour::read_hex_entry;
using colour::read_number;
using colour::round_to_integer;

TEST(ReadNumber, AcceptsBlanksSignFractionAndExponent) {
    EXPECT_EQ(read_number("12"), 12.0);
    EXPECT_EQ(read_number(" 7 "), 7.0);
    EXPECT_EQ(read_number("\t7\t"), 7.0);
    EXPECT_EQ(read_number("12.5"), 12.5);
    EXPECT_EQ(read_number("-12.5"), -12.5);
    EXPECT_EQ(read_number("+3"), 3.0);
    EXPECT_EQ(read_number("1e2"), 100.0);
    EXPECT_EQ(read_number("1E+2"), 100.0);
    EXPECT_EQ(read_number("2.5e-1"), 0.25);
    EXPECT_EQ(read_number(".5"), 0.5);
    EXPECT_EQ(read_number("5."), 5.0);
    EXPECT_EQ(read_number("007"), 7.0);
    EXPECT_EQ(read_number("-0"), 0.0);
    EXPECT_EQ(read_number("1e-400"), 0.0);  // too small: reads as zero
}

// Too small reads as zero and too large as no number: decided by the whole number's order of
// magnitude, its digits and exponent together, not by the exponent's sign.
TEST(ReadNumber, TooSmallAndTooLargeAreToldApartByTheWholeNumber) {
    const std::string zeros(1830, '0');
    EXPECT_EQ(read_number("0." + zeros + "1e1500"), 0.0);                            // 1e-331
    EXPECT_EQ(read_number("1" + zeros + "e-1500"), std::nullopt);                    // 1e330
    EXPECT_EQ(read_number("0." + std::string(1030, '0') + "1e1350"), std::nullopt);  // 1e319
    EXPECT_EQ(read_number(std::string(400, '9')), std::nullopt);  // digits alone, 10^400
    EXPECT_EQ(read_number("-0." + zeros + "1e+1500"), -0.0);
    EXPECT_EQ(read_number("0." + zeros + "1e1700"), 1e-131);
    EXPECT_EQ(read_number("1" + zeros + "e-1900"), 1e-70);
    EXPECT_EQ(read_number(zeros + "1e-350"), 0.0);  // leading zeros add nothing
}

TEST(ReadNumber, RefusesEverythingElse) {
    for (const char* text :
         {"",    " ",    "-",     "+",      ".",     "e2",  "1e",    "1e+",  "abc",
          "12a", "0x1F", "0x1p3", "inf",    "-inf",  "nan", "1,000", "12,5", "1 2",
          "--1", "+-1",  "1e999", "-1e999", "1e400", "\n5", "5\n",   "١"}) {
        EXPECT_EQ(read_number(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(ReadNumber, IgnoresTheProcessLocale) {
    // A locale with a decimal comma must not change what a field means.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(read_number("12.5"), 12.5);
    EXPECT_EQ(read_number("12,5"), std::nullopt);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(RoundToInteger, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(round_to_integer("12.5"), 12);
    EXPECT_EQ(round_to_integer("13.5"), 14);
    EXPECT_EQ(round_to_integer("0.5"), 0);
    EXPECT_EQ(round_to_integer("-0.5"), 0);
    EXPECT_EQ(round_to_integer("-1.5"), -2);
    EXPECT_EQ(round_to_integer("12.6"), 13);
    EXPECT_EQ(round_to_integer("254.5"), 254);
    EXPECT_EQ(round_to_integer("255.4"), 255);
}

TEST(RoundToInteger, FailsOutsideSixteenBitsAndOnNoNumber) {
    EXPECT_EQ(round_to_integer("32767"), 32767);
    EXPECT_EQ(round_to_integer("-32768"), -32768);
    EXPECT_EQ(round_to_integer("32767.4"), 32767);
    EXPECT_EQ(round_to_integer("32767.5"), std::nullopt);
    EXPECT_EQ(round_to_integer("-32768.6"), std::nullopt);
    EXPECT_EQ(round_to_integer("1e10"), std::nullopt);
    EXPECT_EQ(round_to_integer(""), std::nullopt);
    EXPECT_EQ(round_to_integer("-"), std::nullopt);
}

TEST(ReadHexEntry, CutsThreePiecesAfterDroppingEveryHash) {
    using C = colour::Channels;
    EXPECT_EQ(read_hex_entry("#FF8000"), (C{255, 128, 0}));
    EXPECT_EQ(read_hex_entry("ff8000"), (C{255, 128, 0}));
    EXPECT_EQ(read_hex_entry("a0AF9a"), (C{160, 175, 154}));  // each end of both letter ranges
    EXPECT_EQ(read_hex_entry("#F80"), (C{248, 0, 0}));        // no short form
    EXPECT_EQ(read_hex_entry("#1G2233"), (C{1, 34, 51}));     // reading stops at G
    EXPECT_EQ(read_hex_entry("##12#34#56"), (C{18, 52, 86}));
    EXPECT_EQ(read_hex_entry("#FF 800"), (C{255, 8, 0}));      // pieces "FF", " 8", "00"
    EXPECT_EQ(read_hex_entry("#123456789"), (C{18, 52, 86}));  // beyond six: ignored
    EXPECT_EQ(read_hex_entry(""), (C{0, 0, 0}));
    EXPECT_EQ(read_hex_entry("#zz\tA\n1"), (C{0, 10, 1}));  // tab and line feed dropped
}

TEST(ReadHexEntry, CountsCharactersNotBytes) {
    // "é" is one character: the pieces are "é1", "23", "45".
    EXPECT_EQ(read_hex_entry("#\xC3\xA9"
                             "12345"),
              (colour::Channels{0, 35, 69}));
}

}  // namespace

TEST(TextUnits, CountCharactersInBytesAndUtf16Units) {
    // "a", "é" (2 bytes), "€" (3 bytes), "😀" (4 bytes, a surrogate pair in UTF-16).
    const std::string text = "a\u00e9\u20ac\U0001F600";
    EXPECT_EQ(forms::character_count(text), 4U);
    EXPECT_EQ(forms::byte_offset(text, 0), 0U);
    EXPECT_EQ(forms::byte_offset(text, 2), 3U);
    EXPECT_EQ(forms::byte_offset(text, 3), 6U);
    EXPECT_EQ(forms::byte_offset(text, 4), 10U);
    EXPECT_EQ(forms::byte_offset(text, 99), 10U);
    EXPECT_EQ(forms::utf16_offset(text, 3), 3U);
    EXPECT_EQ(forms::utf16_offset(text, 4), 5U);
    EXPECT_EQ(forms::characters_before_utf16(text, 3), 3U);
    EXPECT_EQ(forms::characters_before_utf16(text, 5), 4U);
    EXPECT_EQ(forms::characters_before_utf16(text, 99), 4U);
    EXPECT_EQ(forms::utf16_offset(text, 99), 5U);
    EXPECT_EQ(forms::characters_before_utf16("\U0001F600ab", 3), 2U);  // the pair counts two
    EXPECT_EQ(forms::characters_before_utf16("\u20acab", 2), 2U);      // "€" counts one
    // Each range of lead bytes: 0xC0 starts two bytes, 0xE0 three, 0xF0 to 0xF7 four, and
    // 0xF8, which no character starts with, stands alone.
    // ('z' follows a byte written in hex: it is no hex digit, so the escape ends before it.)
    EXPECT_EQ(forms::byte_offset("\xc0\x80z", 1), 2U);
    EXPECT_EQ(forms::byte_offset("\u07ff\u0800z", 1), 2U);  // the last two-byte character
    EXPECT_EQ(forms::byte_offset("\u07ff\u0800z", 2), 5U);  // the first three-byte one
    EXPECT_EQ(forms::byte_offset("\xf7\xbf\xbf\xbfz", 1), 4U);
    EXPECT_EQ(forms::byte_offset("\xf8zzz", 1), 1U);
    // Stray bytes count one each, and a sequence cut short by the end stays inside the text.
    const std::string broken =
        "\x80\xff"
        "a\xe2\x82";
    EXPECT_EQ(forms::character_count(broken), 4U);
    EXPECT_EQ(forms::byte_offset(broken, 4), broken.size());
    EXPECT_EQ(forms::utf16_offset(broken, 99), 4U);
}

TEST(CaptionLineBreaks, CharacterThirteenBreaksALineAndCrLfCountsOnce) {
    EXPECT_EQ(forms::with_line_breaks("a\rb\r\nc", "\n"), "a\nb\nc");
    EXPECT_EQ(forms::with_line_breaks("a\rb", "\r\n"), "a\r\nb");
    EXPECT_EQ(forms::with_line_breaks("\r\r", "|"), "||");
    EXPECT_EQ(forms::with_line_breaks("no break\n", "|"), "no break\n");
    EXPECT_EQ(forms::with_line_breaks("", "|"), "");
}
