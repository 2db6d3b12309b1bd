// Typing a hex code into Text4 and pressing Enter sets all three channels.
#include <string>

#include "app/form_varnel.h"
#include "colour/hex_entry.h"
#include "platform/forms/controls.h"
#include "platform/forms/keys.h"
#include "platform/forms/number_text.h"

namespace varnel {

void Form_Varnel::Text4_KeyPress(int& key_ascii) {
    if (key_ascii != forms::KeyReturn) return;
    // The whole code is read before any field is written: each write runs print_color, which
    // rewrites Text4.
    const colour::Channels entered = colour::read_hex_entry(Text4.Text());
    Text1.Text(forms::to_text(entered.red));
    Text2.Text(forms::to_text(entered.green));
    Text3.Text(forms::to_text(entered.blue));
}

}  // namespace varnel
