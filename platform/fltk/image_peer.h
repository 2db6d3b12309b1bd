#pragma once

#include <FL/Fl_Image.H>
#include <FL/Fl_Widget.H>

#include <memory>

#include "platform/fltk/peer.h"
#include "platform/fltk/picture_cache.h"
#include "platform/forms/controls.h"
#include "platform/scaling/scale.h"

namespace fltk {

// An image control: the program icon or a JPEG photograph, stretched to the control or drawn
// at its own size from the top left corner, clipped. Its own size is in design pixels: at a
// larger scale the picture is enlarged with it. It takes no focus.
class ImagePeer final : public Fl_Widget, public ControlPeer<forms::Image> {
public:
    ImagePeer(forms::Image& image, PictureCache& pictures, scaling::Scale scale, int x, int y,
              int w, int h);

    // The picture never changes.
    void show_state() override {}

private:
    void draw() override;

    Fl_Image* picture_;                  // shared through the cache
    std::unique_ptr<Fl_Image> resized_;  // the picture at the size it is shown, if not its own
};

}  // namespace fltk
