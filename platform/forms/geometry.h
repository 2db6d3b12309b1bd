#pragma once

#include <algorithm>

namespace forms {

// Twips: 1/1440 inch. The program's layout assumes 96 dots per inch, 15 twips per pixel.
constexpr int TwipsPerPixel = 15;

// Twips to device pixels, and back, at the layout's 96 dots per inch.
constexpr int to_pixels(int twips) { return twips / TwipsPerPixel; }
constexpr float to_twips(int pixels) { return static_cast<float>(pixels * TwipsPerPixel); }

// A control's place in its window's client area, in twips.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// A rectangle in device pixels, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const PixelRect&) const = default;
};

// The smallest rectangle that holds both.
constexpr PixelRect bounding(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace forms
