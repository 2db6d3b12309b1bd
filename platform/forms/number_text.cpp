#include "platform/forms/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace forms {

namespace {

constexpr int SignificantDigits = 7;

// A whole number in base 10^9 limbs, least significant first: just enough arithmetic to write a
// single's exact decimal expansion. (The standard library's precision formatting would do it
// too, but its tables weigh some 200 KB in a statically linked program.)
class WholeNumber {
public:
    explicit WholeNumber(std::uint32_t value) : limbs_{value % Base, value / Base} {}

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % Base);
            carry = product / Base;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    std::string digits() const {
        std::string text;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            std::string part = std::to_string(*limb);
            if (!text.empty()) part.insert(0, 9 - part.size(), '0');
            if (!text.empty() || *limb != 0) text += part;
        }
        return text;
    }

private:
    static constexpr std::uint32_t Base = 1000000000;
    std::vector<std::uint32_t> limbs_;
};

// A positive finite single's exact value: digits (no leading zero) times ten to the exponent.
struct ExactDecimal {
    std::string digits;
    int exponent = 0;
};

ExactDecimal exact_decimal(float value) {
    int power_of_two = 0;
    const float fraction = std::frexp(value, &power_of_two);
    constexpr int MantissaBits = 24;
    WholeNumber number(static_cast<std::uint32_t>(std::ldexp(fraction, MantissaBits)));
    power_of_two -= MantissaBits;
    ExactDecimal exact;
    // m * 2^-k is m * 5^k / 10^k.
    for (int i = 0; i < std::abs(power_of_two); ++i) number.multiply(power_of_two > 0 ? 2 : 5);
    if (power_of_two < 0) exact.exponent = power_of_two;
    exact.digits = number.digits();
    return exact;
}

// Rounds the exact digits to the significant ones, halves to even; returns the decimal
// exponent of the first digit, which a carry may raise.
int round_to_significant(std::string& digits, int first_digit_exponent) {
    if (digits.size() <= SignificantDigits) return first_digit_exponent;
    const std::string_view rest = std::string_view(digits).substr(SignificantDigits);
    const bool above_half =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && !above_half;
    digits.resize(SignificantDigits);
    const bool odd = ((digits.back() - '0') % 2) != 0;
    if (!above_half && !(half && odd)) return first_digit_exponent;
    std::size_t at = digits.size();
    while (at > 0 && digits[at - 1] == '9') digits[--at] = '0';
    if (at == 0) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        return first_digit_exponent + 1;
    }
    ++digits[at - 1];
    return first_digit_exponent;
}

// The form of C's "%.7G": plain below seven digits before the point and down to 0.0001,
// scientific otherwise, without trailing zeros.
std::string general_form(std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const auto count = static_cast<int>(digits.size());
    if (exponent < -4 || exponent >= SignificantDigits) {
        std::string text = digits.substr(0, 1);
        if (count > 1) text += "." + digits.substr(1);
        const std::string power = std::to_string(std::abs(exponent));
        return text + (exponent < 0 ? "E-" : "E+") + (power.size() < 2 ? "0" : "") + power;
    }
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    if (count <= exponent + 1)
        return digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    const auto point = static_cast<std::size_t>(exponent + 1);
    return digits.substr(0, point) + "." + digits.substr(point);
}

}  // namespace

std::string to_text(int value) { return std::to_string(value); }

std::string to_text(float value) {
    // Seven significant digits without trailing zeros, and an exponent beyond them; written
    // without the C library, so the text never depends on the process locale.
    const std::string sign = std::signbit(value) && value != 0 ? "-" : "";
    if (std::isnan(value)) return sign + "nan";
    if (std::isinf(value)) return sign + "inf";
    if (value == 0) return "0";
    ExactDecimal exact = exact_decimal(std::fabs(value));
    const int first_digit_exponent = exact.exponent + static_cast<int>(exact.digits.size()) - 1;
    const int exponent = round_to_significant(exact.digits, first_digit_exponent);
    return sign + general_form(exact.digits, exponent);
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
