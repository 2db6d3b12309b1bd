// Varnel on Linux: the program on the FLTK back end.
#include <iostream>
#include <span>

#include "app/program.h"
#include "platform/fltk/command_line.h"
#include "platform/fltk/fltk_backend.h"

int main(int argc, char** argv) {
    const std::span<char* const> command_line(argv, static_cast<std::size_t>(argc));
    if (const auto status = fltk::answer_command_line(
            command_line.subspan(command_line.empty() ? 0 : 1), std::cout, std::cerr)) {
        return *status;
    }
    fltk::FltkBackend backend;
    varnel::Program program(backend);
    program.start();
    backend.run();
    return 0;
}
