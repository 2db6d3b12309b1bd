// Varnel on Linux: the program on the FLTK back end.
#include "app/program.h"
#include "platform/fltk/fltk_backend.h"

int main() {
    fltkui::FltkBackend backend;
    varnel::Program program(backend);
    program.start();
    backend.run();
    return 0;
}
