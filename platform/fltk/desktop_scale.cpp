#include "platform/fltk/desktop_scale.h"

#include <charconv>
#include <cmath>

#include "platform/forms/text_units.h"

namespace fltk {

namespace {

std::optional<double> read_number(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A factor's scale, or nothing if the text is no factor the program can show itself at.
std::optional<scaling::Scale> scale_of(std::string_view text, double units_per_factor) {
    const std::optional<double> value = read_number(text);
    if (!value) return std::nullopt;
    return scaling::Scale::of_factor(*value / units_per_factor);
}

bool found(const std::optional<std::string_view>& setting) {
    return setting.has_value() && !setting->empty();
}

// A setting as a complaint quotes it: at most 40 characters, enough to recognise it, and none
// that a terminal would take for a command.
std::string quoted(std::string_view setting) {
    constexpr std::size_t Longest = 40;
    constexpr std::string_view Cut = "...";
    const bool too_long = forms::character_count(setting) > Longest;
    std::string quote(
        too_long ? setting.substr(0, forms::byte_offset(setting, Longest - Cut.size())) : setting);
    for (char& c : quote) {
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') c = '?';
    }
    if (too_long) quote += Cut;
    return quote;
}

}  // namespace

ScaleChoice choose_scale(const ScaleSettings& settings) {
    if (found(settings.varnel_scale)) {
        if (const auto scale = scale_of(*settings.varnel_scale, 1)) return {*scale, std::nullopt};
        return {scaling::Scale(), "varnel: VARNEL_SCALE=" + quoted(*settings.varnel_scale) +
                                      " is not a scale from 1 to 5; using 1"};
    }
    std::optional<scaling::Scale> scale;
    if (found(settings.gdk_scale)) {
        scale = scale_of(*settings.gdk_scale, 1);
    } else if (found(settings.xft_dpi)) {
        scale = scale_of(*settings.xft_dpi, scaling::Scale::DesignDpi);
    }
    return {scale.value_or(scaling::Scale()), std::nullopt};
}

}  // namespace fltk
