#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/forms/colour.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"

namespace varnel {

class Program;

// The main window: three channels, each a decimal field and a scroll bar, the preview box with
// the hex code, the Copy, Palette and About buttons, and the ball trail switch. Its handlers are
// defined beside the subsystem they belong to (colour/, trail/, palette/, about/).
class Form_Varnel final : public forms::Form {
public:
    explicit Form_Varnel(Program& program);

    // Rebuilds the preview and the hex code from the three decimal fields; never fails.
    void print_color();
    // The colour of the three decimal fields, each rounded to a channel; nothing while a field
    // holds no number.
    std::optional<forms::ColourValue> fields_colour() const;

    // Controls, in TabIndex order.
    forms::Label Label1;            // the credit line, bottom right
    forms::TextBox Text1;           // the red channel's decimal field
    forms::TextBox Text2;           // the green channel's decimal field
    forms::TextBox Text3;           // the blue channel's decimal field
    forms::Label Label2;            // "Red", above its field
    forms::Label Label3;            // "Green", above its field
    forms::Label Label4;            // "Blue", above its field
    forms::VScrollBar VScroll1;     // the red channel's scroll bar
    forms::VScrollBar VScroll2;     // the green channel's scroll bar
    forms::VScrollBar VScroll3;     // the blue channel's scroll bar
    forms::Label Label5;            // "HEX", left of the hex code field
    forms::TextBox Text4;           // the hex code field: reads #RRGGBB, takes one with Enter
    forms::Label Label6;            // the grey panel behind the three scroll bars
    forms::CheckBox Check1;         // "Ball": starts and stops the ball trail
    forms::CommandButton Command1;  // "About": opens the About window
    forms::PictureBox Picture1;     // the preview of the colour, where the ball trail runs
    forms::CommandButton Palette;   // "Palette": shows or hides the palette window
    forms::CommandButton Command2;  // "Copy to Clipboard": copies the hex code
    forms::Timer Timer1;            // the ball trail's tick

    // The ball trail's walk, in device pixels of Picture1.
    std::int16_t ball_x = 0;
    std::int16_t ball_y = 0;
    std::int16_t ball_dx = 0;
    std::int16_t ball_dy = 0;
    // Each decimal field's last accepted (or unreadable) text, put back when a number outside
    // 0 to 255 arrives.
    std::string last_red;
    std::string last_green;
    std::string last_blue;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload(int& cancel);

    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void VScroll2_Change();
    void VScroll2_Scroll();
    void VScroll3_Change();
    void VScroll3_Scroll();
    void Text4_KeyPress(int& key_ascii);
    void Command2_Click();
    void Check1_Click();
    void Timer1_Timer();
    void Palette_Click();
    void Command1_Click();

    // The steps every channel shares; the handlers above name the channel's controls.
    void channel_text_change(forms::TextBox& field, forms::VScrollBar& bar, std::string& last);
    void channel_scroll_change(forms::VScrollBar& bar, forms::TextBox& field);

    Program& program_;
};

}  // namespace varnel
