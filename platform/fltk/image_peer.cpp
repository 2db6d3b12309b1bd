#include "platform/fltk/image_peer.h"

#include <FL/fl_draw.H>

namespace fltk {

ImagePeer::ImagePeer(forms::Image& image, PictureCache& pictures, scaling::Scale scale, int x,
                     int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(image), picture_(pictures.find(image.Picture())) {
    if (picture_ == nullptr) return;
    const int shown_w = image.Stretch() ? w : scale.device(picture_->w());
    const int shown_h = image.Stretch() ? h : scale.device(picture_->h());
    if (picture_->w() != shown_w || picture_->h() != shown_h) {
        resized_.reset(picture_->copy(shown_w, shown_h));
    }
}

void ImagePeer::draw() {
    Fl_Image* shown = resized_ ? resized_.get() : picture_;
    if (shown == nullptr) return;
    fl_push_clip(x(), y(), w(), h());
    shown->draw(x(), y());
    fl_pop_clip();
}

}  // namespace fltk
