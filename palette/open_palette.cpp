// The Palette button places the palette window beside the main window, then shows or hides it.
#include "app/form_varnel.h"
#include "app/program.h"
#include "palette/my_palette.h"
#include "platform/forms/window_ref.h"

namespace varnel {

void Form_Varnel::Palette_Click() {
    const float width = Width();
    const float left = Left();
    program_.myPalette->Left(left + width);
    program_.myPalette->Top(Top());
    if (program_.myPalette->Visible()) {
        program_.myPalette->Visible(false);
    } else {
        program_.myPalette.Show();
    }
}

}  // namespace varnel
