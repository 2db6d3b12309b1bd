#include "platform/win32/fonts.h"

#include "platform/win32/wide_text.h"

namespace win32 {

OwnedFont create_font(const forms::Font& font, scaling::Scale scale) {
    // A negative height asks for the character height, as point sizes measure it.
    const int height = -scale.font_pixels(font.points);
    return OwnedFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                 static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 widen(font.name).c_str()));
}

}  // namespace win32
