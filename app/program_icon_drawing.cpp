#include "app/program_icon_drawing.h"

#include <cstdint>

#include "app/program_icon.h"
#include "app/program_icon_discs.h"
#include "platform/forms/colour.h"
#include "platform/forms/icon.h"

namespace varnel {

namespace {

// Samples a pixel takes in each direction: 256 in all, as many as alpha has steps.
constexpr std::int64_t Samples = 16;

struct Rgba {
    std::uint8_t red, green, blue, alpha;
};

Rgba opaque(std::uint8_t palette_index) {
    const forms::ColourValue colour = forms::StandardPalette.at(palette_index);
    return {static_cast<std::uint8_t>(forms::red_of(colour)),
            static_cast<std::uint8_t>(forms::green_of(colour)),
            static_cast<std::uint8_t>(forms::blue_of(colour)), 255};
}

// The design's pixel, as the design has it.
Rgba design_pixel(int x, int y) {
    const forms::Icon& icon = program_icon();
    return icon.transparent(x, y) ? Rgba{0, 0, 0, 0} : opaque(icon.at(x, y));
}

// A pixel of the drawing at a size: Samples x Samples points spread evenly over it, each the
// colour of the uppermost disc there or clear, averaged.
Rgba drawn_pixel(int x, int y, int size) {
    // Sample (i, j) of pixel (x, y) lies at ((Samples x + i + 1/2) / (Samples size)) of the
    // icon's width: on the design's grid of forms::Icon::Size pixels, in whole units.
    const std::int64_t unit = 2 * Samples * size;
    std::int64_t red = 0, green = 0, blue = 0, covered = 0;
    for (std::int64_t j = 0; j < Samples; ++j) {
        for (std::int64_t i = 0; i < Samples; ++i) {
            const std::int64_t gx = forms::Icon::Size * (2 * (Samples * x + i) + 1);
            const std::int64_t gy = forms::Icon::Size * (2 * (Samples * y + j) + 1);
            const IconDisc* top = nullptr;
            for (const IconDisc& disc : IconDiscs) {
                if (disc.covers(gx, gy, unit)) top = &disc;
            }
            if (top == nullptr) continue;
            const Rgba colour = opaque(top->colour);
            red += colour.red;
            green += colour.green;
            blue += colour.blue;
            ++covered;
        }
    }
    if (covered == 0) return {0, 0, 0, 0};
    const auto average = [covered](std::int64_t sum) {
        return static_cast<std::uint8_t>((sum + covered / 2) / covered);
    };
    constexpr std::int64_t All = Samples * Samples;
    return {average(red), average(green), average(blue),
            static_cast<std::uint8_t>((255 * covered + All / 2) / All)};
}

}  // namespace

std::vector<std::uint8_t> program_icon_drawing(int size) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgba pixel =
                size == forms::Icon::Size ? design_pixel(x, y) : drawn_pixel(x, y, size);
            rgba.insert(rgba.end(), {pixel.red, pixel.green, pixel.blue, pixel.alpha});
        }
    }
    return rgba;
}

}  // namespace varnel
