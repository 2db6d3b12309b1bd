#pragma once

#include <string>

namespace forms {

// A control's own font; controls without one use the back end's default user-interface font.
struct Font {
    std::string name;
    int points = 8;
    int weight = 400;
    int charset = 0;
    bool operator==(const Font&) const = default;
};

}  // namespace forms
