#pragma once

#include <FL/Fl_Image.H>

#include <cstddef>
#include <map>
#include <memory>
#include <utility>

#include "platform/forms/controls.h"

namespace fltk {

// The pictures of image controls, decoded once per run and shared by every window that shows
// them: the About window is loaded again each time it opens, and FLTK 1.3's JPEG reader leaks a
// little on every decode.
class PictureCache {
public:
    // The picture decoded, or nullptr when it cannot be. Pictures are program constants, so the
    // address and size of their data name them.
    Fl_Image* find(const forms::Picture& picture);

private:
    std::map<std::pair<const void*, std::size_t>, std::unique_ptr<Fl_Image>> images_;
};

}  // namespace fltk
