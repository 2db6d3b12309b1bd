// The preview box and the hex code, rebuilt from the three decimal fields.
#include <initializer_list>
#include <optional>
#include <string>

#include "app/form_varnel.h"
#include "colour/decimal_text.h"
#include "platform/forms/colour.h"
#include "platform/forms/controls.h"
#include "platform/forms/number_text.h"
#include "platform/forms/picture_box.h"

namespace varnel {

std::optional<forms::ColourValue> Form_Varnel::fields_colour() const {
    const auto red = colour::round_to_integer(Text1.Text());
    const auto green = colour::round_to_integer(Text2.Text());
    const auto blue = colour::round_to_integer(Text3.Text());
    // A negative channel has no colour (the fields refuse negative numbers anyway).
    if (!red || !green || !blue || *red < 0 || *green < 0 || *blue < 0) return std::nullopt;
    return forms::RGB(*red, *green, *blue);
}

void Form_Varnel::print_color() {
    // While a field holds no number (as while the user retypes it) the display keeps showing
    // the previous colour.
    const std::optional<forms::ColourValue> colour = fields_colour();
    if (!colour) return;
    Picture1.BackColor(*colour);

    // The code is written piece by piece, as the field has always been rewritten. The "0"
    // padding is decided on the rounded channel, so the code is always "#" and six digits
    // ("15.6" counts as 16: "10", not "010").
    Text4.Text("#");
    for (const int channel :
         {forms::red_of(*colour), forms::green_of(*colour), forms::blue_of(*colour)}) {
        if (channel < 16) Text4.Text(Text4.Text() + "0");
        Text4.Text(Text4.Text() + forms::Hex(channel));
    }
}

}  // namespace varnel
