// Reading decimal text, checked against the C library's reader in the "C" locale.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "colour/decimal_text.h"

namespace {

// What the C library makes of a text our grammar accepted: it must read all of it, alike.
bool agrees_with_strtod(const std::string& text, double value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double expected = std::strtod(begin, &end);
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0' && (expected == value || (expected == 0 && value == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto number = colour::read_number(text);
    if (number) {
        if (!std::isfinite(*number)) __builtin_trap();
        if (text.find('\0') != std::string::npos) __builtin_trap();
        if (!agrees_with_strtod(text, *number)) __builtin_trap();
    }
    const auto rounded = colour::round_to_integer(text);
    if (rounded.has_value() !=
        (number && std::fabs(std::nearbyint(*number)) <= 32768 &&
         std::nearbyint(*number) >= -32768 && std::nearbyint(*number) <= 32767)) {
        __builtin_trap();
    }
    if (rounded && *rounded != std::nearbyint(*number)) __builtin_trap();
    return 0;
}
