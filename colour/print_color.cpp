// The preview box and the hex code, rebuilt from the three decimal fields.
#include "app/form_varnel.h"
#include "colour/decimal_text.h"
#include "platform/forms/errors.h"
#include "platform/forms/number_text.h"

namespace varnel {

void Form_Varnel::print_color() {
    // While a field holds no number (as while the user retypes it) the display keeps showing
    // the previous colour.
    const auto red = colour::round_to_integer(Text1.Text());
    const auto green = colour::round_to_integer(Text2.Text());
    const auto blue = colour::round_to_integer(Text3.Text());
    if (!red || !green || !blue) return;
    try {
        Picture1.BackColor(forms::RGB(*red, *green, *blue));
    } catch (const forms::RuntimeError&) {
        return;  // a negative channel has no colour; never fail towards the caller
    }

    // The code is written piece by piece, as the field has always been rewritten. The "0"
    // padding is decided on the rounded channel, so the code is always "#" and six digits
    // ("15.6" counts as 16: "10", not "010").
    Text4.Text("#");
    for (const int channel : {*red, *green, *blue}) {
        if (channel < 16) Text4.Text(Text4.Text() + "0");
        Text4.Text(Text4.Text() + forms::Hex(channel));
    }
}

}  // namespace varnel
