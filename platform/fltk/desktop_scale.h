#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/scaling/scale.h"

namespace fltk {

// What the desktop says about its scale, each as found: nothing where it says nothing.
struct ScaleSettings {
    std::optional<std::string_view> varnel_scale{};  // the environment's VARNEL_SCALE
    std::optional<std::string_view> gdk_scale{};     // the environment's GDK_SCALE
    std::optional<std::string_view> xft_dpi{};       // the X resource Xft.dpi
};

struct ScaleChoice {
    scaling::Scale scale;
    // A line for the user when VARNEL_SCALE, the one setting made for this program, is unusable.
    std::optional<std::string> complaint;
};

// The scale the program follows, read the way GTK and Qt programs read theirs: the first setting
// found wins, VARNEL_SCALE, then GDK_SCALE, then Xft.dpi divided by 96; an empty one counts as
// not found. A factor may be fractional; one that is unreadable or that scaling::Scale refuses
// (outside 1 to 5) gives 1. The factor is kept to whole dots per inch (1.3 is 125 dpi).
ScaleChoice choose_scale(const ScaleSettings& settings);

}  // namespace fltk
