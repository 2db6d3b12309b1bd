// What ends the process if an exception ever escapes: the program traps its own errors (the
// runtime's error path), so this is a last resort. The C++ library's default handler prints the
// exception's demangled type name to the standard error stream, which a windowed program does
// not have; its demangler and printf would be a third of this statically linked program.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
