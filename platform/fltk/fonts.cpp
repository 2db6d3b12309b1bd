#include "platform/fltk/fonts.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace fltk {

namespace {

constexpr int BoldWeight = 700;

bool names(const std::string& family, std::initializer_list<const char*> words) {
    std::string lower = family;
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::ranges::any_of(
        words, [&](const char* word) { return lower.find(word) != std::string::npos; });
}

}  // namespace

FontChoice default_font(scaling::Scale scale) {
    return {DefaultFace, static_cast<Fl_Fontsize>(scale.device(DefaultSize))};
}

FontChoice choose_font(const std::optional<forms::Font>& font, scaling::Scale scale) {
    if (!font) return default_font(scale);
    Fl_Font face = FL_HELVETICA;
    if (names(font->name, {"courier", "mono", "fixed", "terminal"})) {
        face = FL_COURIER;
    } else if (!names(font->name, {"sans"}) && names(font->name, {"serif", "times", "roman"})) {
        face = FL_TIMES;
    }
    if (font->weight >= BoldWeight) face += FL_BOLD;
    return {face, static_cast<Fl_Fontsize>(std::max(1, scale.font_pixels(font->points)))};
}

}  // namespace fltk
