// How a failure inside the C++ library ends the program. The program traps only its own run-time
// errors (the runtime's error path); whatever the library throws could only end it, through the
// terminate handler, or be lost on its way through the system's frames of a window procedure.
// So the library's failures end the process at once, and the library's parts that would have
// described them are left out of this statically linked program: the default terminate handler
// prints the exception's demangled type name to a standard error stream that a windowed program
// does not have, and the helpers below would have built exceptions with formatted messages, which
// pulls in the library's old string type, its snprintf and its random device, about 55 KiB.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// The library's containers and strings call these when a size or an index is out of bounds or
// memory is exhausted. They replace the library's own (its functexcept.o): should a new use of
// the library need another of that file's helpers, linking fails with "multiple definition", and
// that helper belongs here too.
namespace std {

void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char* /*what*/) { std::abort(); }
void __throw_out_of_range_fmt(const char* /*format*/, ...) { std::abort(); }

}  // namespace std
