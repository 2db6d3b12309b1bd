// Build tool, run on the host: writes the program icon as the .ico file of varnel.exe's
// resources and its installer. It holds the design's own 16-colour image at 32 pixels and the
// icon drawn at each size that Windows asks for at the usual scales (16, 20, 24, 32, 40, 48 and
// 64: the small and large icons at 100 % to 200 %) and at 256, for Explorer's largest views.
#include <cstdio>
#include <fstream>

#include "app/program_icon.h"
#include "app/program_icon_drawing.h"
#include "packaging/icons/ico_file.h"
#include "platform/forms/icon.h"
#include "platform/win32/icon_image.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ico OUTPUT.ico\n");
        return 2;
    }
    std::vector<packaging::IcoImage> images;
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        if (size == forms::Icon::Size) {
            images.push_back({size, 4, win32::icon_image(varnel::program_icon())});
        } else if (size == 256) {
            images.push_back(packaging::icon_png(size, varnel::program_icon_drawing(size)));
        } else {
            images.push_back(packaging::icon_bitmap(size, varnel::program_icon_drawing(size)));
        }
    }
    const auto bytes = packaging::ico_file(images);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? 0 : 1;
}
