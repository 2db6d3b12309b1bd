// Build tool, run on the host: writes the program icon drawn at the given size as a PNG, for the
// desktop's icon theme.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "app/program_icon_drawing.h"
#include "packaging/icons/png_file.h"

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
    const auto bytes = packaging::png_file(size, size, varnel::program_icon_drawing(size));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? 0 : 1;
}
