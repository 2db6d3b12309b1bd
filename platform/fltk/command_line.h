#pragma once

#include <optional>
#include <ostream>
#include <span>

namespace fltk {

// The Linux program's command line, read before the back end opens the display so that it
// answers without one: --help and --version print to `out`; anything else is refused with the
// usage on `err`. Returns the exit status when the program should end there, nothing when it
// should start. `arguments` are those after the program's name.
std::optional<int> answer_command_line(std::span<char* const> arguments, std::ostream& out,
                                       std::ostream& err);

}  // namespace fltk
