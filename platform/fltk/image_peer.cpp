#include "platform/fltk/image_peer.h"

#include <FL/fl_draw.H>

namespace fltk {

ImagePeer::ImagePeer(forms::Image& image, PictureCache& pictures, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(image), picture_(pictures.find(image.Picture())) {
    if (picture_ && image.Stretch() && (picture_->w() != w || picture_->h() != h)) {
        stretched_.reset(picture_->copy(w, h));
    }
}

void ImagePeer::draw() {
    Fl_Image* shown = stretched_ ? stretched_.get() : picture_;
    if (shown == nullptr) return;
    fl_push_clip(x(), y(), w(), h());
    shown->draw(x(), y());
    fl_pop_clip();
}

}  // namespace fltk
