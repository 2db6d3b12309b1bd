// The three channels' decimal fields and scroll bars, kept in step with each other.
#include <optional>
#include <string>

#include "app/form_varnel.h"
#include "app/program.h"
#include "colour/decimal_text.h"
#include "platform/forms/controls.h"
#include "platform/forms/message_box_style.h"
#include "platform/forms/number_text.h"
#include "platform/forms/runtime.h"

namespace varnel {

namespace {

// Keeps the field's text as the channel's last text, in no more storage than it needs: after a
// long pasted number that the field then rewrote, the last text is short again.
void remember(std::string& last, const std::string& text) {
    last = text;
    last.shrink_to_fit();
}

}  // namespace

void Form_Varnel::channel_text_change(forms::TextBox& field, forms::VScrollBar& bar,
                                      std::string& last) {
    const auto number = colour::read_number(field.Text());
    if (!number) {
        // Not a number (empty, a lone sign, letters): tolerated silently while the user types;
        // it becomes the text to fall back to, and the display keeps the previous colour.
        remember(last, field.Text());
        return;
    }
    if (*number <= 255 && *number >= 0) {
        remember(last, field.Text());
        // Rounding keeps a number from 0 to 255 within the bar's range. A different value
        // runs the bar's Change, which writes the rounded number back into the field.
        bar.Value(*colour::round_to_integer(field.Text()));
    } else {
        program_.runtime.MsgBox("Field can be from 0 to 255", forms::Critical, "ERROR");
        field.Text(last);
    }
    print_color();
}

void Form_Varnel::channel_scroll_change(forms::VScrollBar& bar, forms::TextBox& field) {
    field.Text(forms::to_text(bar.Value()));
    print_color();
}

void Form_Varnel::Text1_Change() { channel_text_change(Text1, VScroll1, last_red); }
void Form_Varnel::Text2_Change() { channel_text_change(Text2, VScroll2, last_green); }
void Form_Varnel::Text3_Change() { channel_text_change(Text3, VScroll3, last_blue); }

void Form_Varnel::VScroll1_Change() { channel_scroll_change(VScroll1, Text1); }
void Form_Varnel::VScroll1_Scroll() { channel_scroll_change(VScroll1, Text1); }
void Form_Varnel::VScroll2_Change() { channel_scroll_change(VScroll2, Text2); }
void Form_Varnel::VScroll2_Scroll() { channel_scroll_change(VScroll2, Text2); }
void Form_Varnel::VScroll3_Change() { channel_scroll_change(VScroll3, Text3); }
void Form_Varnel::VScroll3_Scroll() { channel_scroll_change(VScroll3, Text3); }

}  // namespace varnel
