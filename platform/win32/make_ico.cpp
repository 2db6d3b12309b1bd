// Build tool, run on the host: writes the program icon as an .ico file for the resources.
#include <cstdio>
#include <fstream>

#include "app/program_icon.h"
#include "platform/win32/icon_image.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ico OUTPUT.ico\n");
        return 2;
    }
    const auto bytes = win32::ico_file(varnel::program_icon());
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
