#pragma once

#include <string>

namespace forms {

// The runtime's standard text forms of numbers: plain decimal digits for integers, and for a
// single-precision number up to seven significant digits, whole numbers without a decimal point
// ("128", "101.6", "1E+07").
std::string to_text(int value);
std::string to_text(float value);
// Upper-case hexadecimal digits without leading zeros ("0", "FF").
std::string Hex(int value);

}  // namespace forms
