// Build tool: writes the program icon as a PNG of the given size, for the desktop's icon theme.
// Scaling picks the nearest source pixel, so the discs keep hard edges at every size.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "app/program_icon.h"
#include "packaging/linux/png_file.h"

namespace {

std::vector<std::uint8_t> scaled_rgba(const forms::Icon& icon, int size) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    // The source pixel under the centre of each target pixel.
    const auto source = [size](int target) {
        return (2 * target + 1) * forms::Icon::Size / (2 * size);
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int sx = source(x);
            const int sy = source(y);
            if (icon.transparent(sx, sy)) {
                rgba.insert(rgba.end(), {0, 0, 0, 0});
                continue;
            }
            const forms::ColourValue colour = forms::StandardPalette.at(icon.at(sx, sy));
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(forms::red_of(colour)),
                                     static_cast<std::uint8_t>(forms::green_of(colour)),
                                     static_cast<std::uint8_t>(forms::blue_of(colour)), 255});
        }
    }
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    int size = 0;
    if (argc == 3) {
        try {
            size = std::stoi(argv[1]);
        } catch (const std::exception&) {
        }
    }
    if (size <= 0 || size > 1024) {
        std::fprintf(stderr, "usage: make_icon_png SIZE OUTPUT.png (SIZE 1 to 1024)\n");
        return 2;
    }
    const auto bytes = packaging::png_file(size, size, scaled_rgba(varnel::program_icon(), size));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? 0 : 1;
}
