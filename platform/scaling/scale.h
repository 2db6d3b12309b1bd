#pragma once

#include <cmath>
#include <optional>

#include "platform/forms/geometry.h"

namespace scaling {

// How a screen of some density shows the program. The program is laid out in design pixels, 96
// to the inch (15 twips each); a screen of more dots to the inch shows design pixel p as the
// device pixels from device(p) up to device(p + 1), one or more of them. Every edge of the layout
// goes through design pixels, so whatever the program draws in them (a spectrum's columns, the
// controls' borders) lands on the same whole device pixels at any factor, and a device pixel
// belongs to exactly one design pixel.
//
// A scale is made only of a density the program can show itself at: from 96 to 480 dots per inch,
// a factor from 1 to 5 (the most Windows offers). Whatever a system or a setting says outside
// that, both back ends refuse the same way, and show the program at 1.
class Scale {
public:
    static constexpr int DesignDpi = 96;
    static constexpr int TwipsPerInch = 1440;
    static constexpr int MinDpi = DesignDpi;
    static constexpr int MaxDpi = 5 * DesignDpi;

    // The scale of 96 dots per inch, a factor of 1.
    constexpr Scale() = default;
    // The scale of a screen of this many device pixels to the inch; nothing outside MinDpi to
    // MaxDpi.
    static constexpr std::optional<Scale> of_dpi(int dpi) {
        if (dpi < MinDpi || dpi > MaxDpi) return std::nullopt;
        return Scale(dpi);
    }
    // The scale of a factor, kept to whole dots per inch (1.3 is 125); nothing for a factor that
    // is not a number from 1 to 5.
    static std::optional<Scale> of_factor(double factor) {
        if (!(factor >= 1 && factor <= 5)) return std::nullopt;
        return of_dpi(static_cast<int>(std::lround(factor * DesignDpi)));
    }

    constexpr int dpi() const { return dpi_; }

    // The first device pixel of a design pixel, counted from the same corner.
    constexpr int device(int design) const { return floor_div(design * dpi_, DesignDpi); }
    // The design pixel that holds a device pixel.
    constexpr int design(int device) const { return floor_div((device + 1) * DesignDpi - 1, dpi_); }

    // A control's rectangle in device pixels of its window's client area: its twips rounded down
    // to design pixels, as at 96 dots per inch, then enlarged.
    constexpr forms::PixelRect device(const forms::Bounds& twips) const {
        const int left = forms::to_pixels(twips.left);
        const int top = forms::to_pixels(twips.top);
        return {device(left), device(top), device(left + forms::to_pixels(twips.width)),
                device(top + forms::to_pixels(twips.height))};
    }
    // A length in twips (a window's client width) as device pixels.
    constexpr int device_length(int twips) const { return device(forms::to_pixels(twips)); }

    // A font's size in points as device pixels, rounded to the nearest: text is drawn in the font
    // of that size, never enlarged.
    constexpr int font_pixels(int points) const { return (points * dpi_ + 36) / 72; }

    // A window's place and outer size, which the window manager sets to any device pixel, in
    // twips and back without loss: the palette placed at the main window's Left + Width stands
    // exactly at its right edge.
    constexpr float twips(int device) const {
        return static_cast<float>(device) * TwipsPerInch / static_cast<float>(dpi_);
    }
    int device_of_twips(float twips) const {
        return static_cast<int>(std::lround(static_cast<double>(twips) * dpi_ / TwipsPerInch));
    }

    bool operator==(const Scale&) const = default;

private:
    constexpr explicit Scale(int dpi) : dpi_(dpi) {}
    static constexpr int floor_div(int a, int b) { return a / b - (a % b != 0 && a < 0 ? 1 : 0); }

    int dpi_ = DesignDpi;
};

}  // namespace scaling
