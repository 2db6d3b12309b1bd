#pragma once

#include "platform/fltk/picture_cache.h"
#include "platform/fltk/x11/selection_reader.h"
#include "platform/scaling/scale.h"

namespace fltk {

// What the back end lends to the peers of every window it creates.
struct BackendServices {
    SelectionReader& selections;
    PictureCache& pictures;
    // How the desktop scales the program: every window and control converts at it.
    scaling::Scale scale;
};

}  // namespace fltk
