#include "platform/forms/number_text.h"

#include <array>
#include <charconv>

namespace forms {

std::string to_text(int value) { return std::to_string(value); }

std::string to_text(float value) {
    std::array<char, 32> buffer{};
    // Seven significant digits without trailing zeros, and an exponent beyond them; to_chars
    // keeps the text independent of the process locale.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 7);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text == "-0" ? "0" : text;
}

std::string Hex(int value) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      static_cast<unsigned>(value), 16);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace forms
