#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace colour {

// Reads a text as a decimal number: blanks around it, a sign, a decimal fraction and an
// exponent ("12", " 7 ", "-12.5", "1e2", ".5"). Nothing else counts: no hexadecimal, no
// "inf" or "nan", no thousands separators, no decimal comma, whatever the process locale.
// Empty, a lone sign, letters or a number too large for a double give nothing.
std::optional<double> read_number(std::string_view text);

// The text read as a number and rounded to the nearest integer, halves to the even neighbour
// ("12.5" gives 12, "13.5" gives 14); nothing when it cannot be read or lies outside the
// 16-bit range.
std::optional<std::int16_t> round_to_integer(std::string_view text);

}  // namespace colour
