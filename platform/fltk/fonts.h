#pragma once

#include <FL/Enumerations.H>

#include <optional>

#include "platform/forms/font.h"
#include "platform/scaling/scale.h"

namespace fltk {

// The user-interface font of controls without a font of their own: the system's sans serif
// face (DejaVu Sans on a Debian desktop), sized like the classic 8 point dialog font: 10 design
// pixels.
constexpr Fl_Font DefaultFace = FL_HELVETICA;
constexpr Fl_Fontsize DefaultSize = 10;

struct FontChoice {
    Fl_Font face = DefaultFace;
    Fl_Fontsize size = DefaultSize;
};

// The default font at the screen's scale: text is drawn at the larger size, never stretched.
FontChoice default_font(scaling::Scale scale);

// The nearest of FLTK's standard faces (sans, serif or monospace, plain or bold) at the font's
// size in device pixels at the screen's scale; the default font for a control without one. Any
// family FLTK does not know falls back to the sans face, so a layout designed for another
// system's fonts keeps its proportions.
FontChoice choose_font(const std::optional<forms::Font>& font, scaling::Scale scale);

}  // namespace fltk
