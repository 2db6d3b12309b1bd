#include "platform/fltk/image_view.h"

#include <FL/Fl_JPEG_Image.H>
#include <FL/fl_draw.H>

#include "platform/fltk/icon_image.h"

namespace fltkui {

namespace {

std::unique_ptr<Fl_Image> decode(const forms::Picture& picture) {
    if (const auto* icon = std::get_if<const forms::Icon*>(&picture)) {
        return make_icon_image(**icon);
    }
    const auto bytes = std::get<std::span<const std::uint8_t>>(picture);
    auto photo = std::make_unique<Fl_JPEG_Image>("photo", bytes.data());
    if (photo->w() <= 0 || photo->h() <= 0) return nullptr;
    return photo;
}

}  // namespace

ImageView::ImageView(forms::Image& image, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(image), picture_(decode(image.Picture())) {
    if (picture_ && image.Stretch() && (picture_->w() != w || picture_->h() != h)) {
        picture_.reset(picture_->copy(w, h));
    }
}

void ImageView::draw() {
    if (!picture_) return;
    fl_push_clip(x(), y(), w(), h());
    picture_->draw(x(), y());
    fl_pop_clip();
}

}  // namespace fltkui
