#pragma once

#include <FL/Enumerations.H>

#include "platform/forms/colour.h"

namespace fltk {

// A resolved colour value (no system colour) as an FLTK colour.
inline Fl_Color to_fl_color(forms::ColourValue colour) {
    return fl_rgb_color(static_cast<uchar>(forms::red_of(colour)),
                        static_cast<uchar>(forms::green_of(colour)),
                        static_cast<uchar>(forms::blue_of(colour)));
}

}  // namespace fltk
