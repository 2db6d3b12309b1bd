#include "colour/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace colour {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits and tells how many there were.
std::size_t skip_digits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && is_digit(text[at])) ++at;
    return at - start;
}

// The decimal order of magnitude of a well-formed unsigned number (digits, fraction, exponent),
// saturated: only its sign matters, to tell an overflow from an underflow.
long decimal_order(std::string_view body) {
    std::size_t at = 0;
    while (at < body.size() && body[at] == '0') ++at;
    long order = 0;
    const std::size_t integer_start = at;
    while (at < body.size() && is_digit(body[at])) ++at;
    const auto integer_digits = static_cast<long>(at - integer_start);
    if (at < body.size() && body[at] == '.') ++at;
    if (integer_digits > 0) {
        order = integer_digits - 1;
    } else {
        long zeros = 0;
        for (; at < body.size() && body[at] == '0'; ++at) ++zeros;
        order = -(zeros + 1);
    }
    while (at < body.size() && body[at] != 'e' && body[at] != 'E') ++at;
    if (at == body.size()) return order;
    ++at;
    const bool negative = at < body.size() && body[at] == '-';
    if (at < body.size() && (body[at] == '+' || body[at] == '-')) ++at;
    long exponent = 0;
    for (; at < body.size(); ++at) exponent = std::min(exponent * 10 + (body[at] - '0'), 100000L);
    return order + (negative ? -exponent : exponent);
}

}  // namespace

std::optional<double> read_number(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);

    // Check the whole grammar first: from_chars alone would also take "inf", "nan" and
    // hexadecimal forms, and would stop quietly at trailing garbage.
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t mantissa_start = at;
    std::size_t digits = skip_digits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += skip_digits(text, at);
    }
    if (digits == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (skip_digits(text, at) == 0) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;

    // from_chars takes no leading "+", so parse the unsigned part and apply the sign.
    const std::string_view body = text.substr(mantissa_start);
    double value = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Underflow towards zero reads as zero; overflow is no number.
        if (decimal_order(body) > 0) return std::nullopt;
        value = 0;
    } else if (error != std::errc{} || end != body.data() + body.size()) {
        return std::nullopt;
    }
    if (std::isinf(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> round_to_integer(std::string_view text) {
    const auto number = read_number(text);
    if (!number) return std::nullopt;
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(*number);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace colour
