#pragma once

#include "platform/forms/font.h"
#include "platform/scaling/scale.h"
#include "platform/win32/handles.h"

namespace win32 {

// The font a control without a font of its own is drawn in.
inline const forms::Font DefaultFont{"MS Sans Serif", 8, 400, 0};

// A GDI font for the forms font at a screen's scale: its character height in device pixels at
// that density.
OwnedFont create_font(const forms::Font& font, scaling::Scale scale);

}  // namespace win32
