#pragma once

#include <cstdint>

namespace forms {

// A packed 24-bit colour: red in the low byte, then green, then blue. Values with the high bit
// set name a system colour that the back end resolves (the classic form designers' encoding).
using ColourValue = std::uint32_t;

enum class SystemColour : ColourValue {
    ButtonFace = 0x8000000F,
    WindowBackground = 0x80000005,
    WindowText = 0x80000008,
};

constexpr ColourValue system(SystemColour c) { return static_cast<ColourValue>(c); }
constexpr bool is_system(ColourValue c) { return (c & 0x80000000U) != 0; }

// The system colours of a desktop that has none of its own to tell: light grey buttons and
// window frames, white windows, black text.
constexpr ColourValue default_system_colour(SystemColour colour) {
    switch (colour) {
        case SystemColour::ButtonFace:
            return 0xF0F0F0;
        case SystemColour::WindowBackground:
            return 0xFFFFFF;
        case SystemColour::WindowText:
            return 0x000000;
    }
    return 0x000000;
}

constexpr int red_of(ColourValue c) { return static_cast<int>(c & 0xFFU); }
constexpr int green_of(ColourValue c) { return static_cast<int>((c >> 8U) & 0xFFU); }
constexpr int blue_of(ColourValue c) { return static_cast<int>((c >> 16U) & 0xFFU); }

// The colour value of three channels. Like the runtime it imitates, a channel above 255 counts
// as 255 and a negative one is an invalid call (a run-time error).
ColourValue RGB(int red, int green, int blue);

constexpr ColourValue White = 0xFFFFFF;

}  // namespace forms
