#include "platform/fltk/icon_image.h"

#include <vector>

namespace fltk {

std::unique_ptr<Fl_RGB_Image> make_icon_image(const forms::Icon& icon) {
    constexpr int Channels = 4;
    std::vector<uchar> rgba;
    rgba.reserve(static_cast<std::size_t>(forms::Icon::Size * forms::Icon::Size * Channels));
    for (int y = 0; y < forms::Icon::Size; ++y) {
        for (int x = 0; x < forms::Icon::Size; ++x) {
            if (icon.transparent(x, y)) {
                rgba.insert(rgba.end(), {0, 0, 0, 0});
                continue;
            }
            const forms::ColourValue colour = forms::StandardPalette.at(icon.at(x, y));
            rgba.insert(rgba.end(), {static_cast<uchar>(forms::red_of(colour)),
                                     static_cast<uchar>(forms::green_of(colour)),
                                     static_cast<uchar>(forms::blue_of(colour)), 255});
        }
    }
    Fl_RGB_Image borrowed(rgba.data(), forms::Icon::Size, forms::Icon::Size, Channels);
    // The copy owns its pixels.
    return std::unique_ptr<Fl_RGB_Image>(static_cast<Fl_RGB_Image*>(borrowed.copy()));
}

}  // namespace fltk
