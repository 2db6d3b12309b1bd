#include "platform/fltk/picture_cache.h"

#include <FL/Fl_JPEG_Image.H>

#include "platform/fltk/icon_image.h"

namespace fltk {

namespace {

std::pair<const void*, std::size_t> key_of(const forms::Picture& picture) {
    if (const auto* icon = std::get_if<const forms::Icon*>(&picture)) return {*icon, 0};
    const auto bytes = std::get<std::span<const std::uint8_t>>(picture);
    return {bytes.data(), bytes.size()};
}

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

Fl_Image* PictureCache::find(const forms::Picture& picture) {
    auto [found, added] = images_.try_emplace(key_of(picture));
    if (added) found->second = decode(picture);
    return found->second.get();
}

}  // namespace fltk
