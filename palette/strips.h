#pragma once

#include <array>

#include "platform/forms/colour.h"

namespace palette {

// The spectrum: seven strips of 21 pixel columns side by side, each a ramp from black in row 0
// to the strip's full colour in row 255. The pixel in row y carries y in each of the strip's
// channels and 0 in the others.
struct Strip {
    std::array<bool, 3> carries;  // red, green, blue
    // The order in which a pick writes the channels' decimal fields (0 red, 1 green, 2 blue).
    std::array<int, 3> pick_order;

    forms::ColourValue colour(int y) const {
        return forms::RGB(carries[0] ? y : 0, carries[1] ? y : 0, carries[2] ? y : 0);
    }
};

inline constexpr std::array<Strip, 7> Strips = {{
    {{true, false, false}, {0, 1, 2}},  // red
    {{false, true, false}, {1, 0, 2}},  // green
    {{false, false, true}, {2, 0, 1}},  // blue
    {{true, true, false}, {0, 1, 2}},   // yellow
    {{true, false, true}, {0, 1, 2}},   // magenta
    {{false, true, true}, {0, 1, 2}},   // cyan
    {{true, true, true}, {0, 1, 2}},    // grey
}};

inline constexpr int StripColumns = 21;
inline constexpr int Columns = StripColumns * static_cast<int>(Strips.size());  // 147
inline constexpr int Rows = 256;

}  // namespace palette
