#pragma once

#include "platform/fltk/picture_cache.h"
#include "platform/fltk/selection_reader.h"

namespace fltk {

// What the back end lends to the peers of every window it creates.
struct BackendServices {
    SelectionReader& selections;
    PictureCache& pictures;
};

}  // namespace fltk
