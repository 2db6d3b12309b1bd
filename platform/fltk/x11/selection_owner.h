#pragma once

namespace fltk {

// Whether the program itself owns an X selection (an Atom): FLTK holds what the program copies
// on its hidden message window.
bool program_owns_selection(unsigned long selection);

}  // namespace fltk
