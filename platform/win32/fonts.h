#pragma once

#include "platform/forms/font.h"
#include "platform/win32/handles.h"

namespace win32 {

// The font a control without a font of its own is drawn in.
inline const forms::Font DefaultFont{"MS Sans Serif", 8, 400, 0};

// A GDI font for the forms font, at the 96 dots per inch the layout assumes.
OwnedFont create_font(const forms::Font& font);

}  // namespace win32
