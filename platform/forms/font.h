#pragma once

#include <string>

namespace forms {

// A font's size in device pixels at so many dots per inch (the layout's 96 unless a screen asks
// for more), rounded to the nearest.
constexpr int points_to_pixels(int points, int dpi = 96) { return (points * dpi + 36) / 72; }

// A control's own font; controls without one use the back end's default user-interface font.
struct Font {
    std::string name;
    int points = 8;
    int weight = 400;
    int charset = 0;
    bool operator==(const Font&) const = default;
};

}  // namespace forms
