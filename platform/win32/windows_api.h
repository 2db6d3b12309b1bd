#pragma once

// <windows.h> for the back end. It defines RGB as a macro, which would rewrite the forms
// runtime's RGB function wherever both are seen; the back end never needs the macro.
#include <windows.h>
#undef RGB
