#pragma once

#include <FL/Enumerations.H>

#include <optional>

#include "platform/forms/font.h"

namespace fltk {

// The user-interface font of controls without a font of their own: the system's sans serif
// face (DejaVu Sans on a Debian desktop), sized like the classic 8 point dialog font.
constexpr Fl_Font DefaultFace = FL_HELVETICA;
constexpr Fl_Fontsize DefaultSize = 10;

struct FontChoice {
    Fl_Font face = DefaultFace;
    Fl_Fontsize size = DefaultSize;
};

// The nearest of FLTK's standard faces (sans, serif or monospace, plain or bold) at the font's
// size in pixels (96 dots per inch). Any family FLTK does not know falls back to the sans face,
// so a layout designed for another system's fonts keeps its proportions.
FontChoice choose_font(const std::optional<forms::Font>& font);

}  // namespace fltk
