#include "app/program_icon.h"

#include <cstddef>

#include "app/program_icon_discs.h"

namespace varnel {

namespace {

// Each pixel takes the colour of the uppermost disc that covers its centre.
constexpr forms::Icon make_icon() {
    forms::Icon icon;
    for (int y = 0; y < forms::Icon::Size; ++y) {
        for (int x = 0; x < forms::Icon::Size; ++x) {
            std::uint8_t index = forms::Icon::Transparent;
            for (const IconDisc& disc : IconDiscs) {
                if (disc.covers(2 * x + 1, 2 * y + 1, 2)) index = disc.colour;
            }
            icon.pixels[static_cast<std::size_t>(y) * forms::Icon::Size +
                        static_cast<std::size_t>(x)] = index;
        }
    }
    return icon;
}

constexpr forms::Icon Icon = make_icon();

}  // namespace

const forms::Icon& program_icon() { return Icon; }

}  // namespace varnel
