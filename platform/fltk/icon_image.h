#pragma once

#include <FL/Fl_RGB_Image.H>

#include <memory>

#include "platform/forms/icon.h"

namespace fltk {

// The icon as an RGBA image, transparent where its mask is set.
std::unique_ptr<Fl_RGB_Image> make_icon_image(const forms::Icon& icon);

}  // namespace fltk
