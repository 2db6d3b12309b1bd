#include "app/form_varnel.h"

#include <functional>

#include "app/credits.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "platform/forms/window_ref.h"

namespace varnel {

namespace {

// A channel's scroll bar: 0 at the top, 255 at the bottom, one step per arrow or trough click.
constexpr forms::ScrollRange ChannelRange{0, 255, 1, 1};

}  // namespace

Form_Varnel::Form_Varnel(Program& program)
    : forms::Form(program.runtime, {"Varnel v3.0", 3810, 2760, &program_icon()}),
      Label1(*this, "Label1", {2880, 2400, 855, 255}, 0, credits::CreditLine),
      Text1(*this, "Text1", {2040, 360, 495, 375}, 1, "0"),
      Text2(*this, "Text2", {2640, 360, 495, 375}, 2, "0"),
      Text3(*this, "Text3", {3240, 360, 495, 375}, 3, "0"),
      Label2(*this, "Label2", {2040, 120, 495, 255}, 4, "Red"),
      Label3(*this, "Label3", {2640, 120, 495, 255}, 5, "Green"),
      Label4(*this, "Label4", {3240, 120, 495, 255}, 6, "Blue"),
      VScroll1(*this, "VScroll1", {2160, 840, 255, 1335}, 7, ChannelRange),
      VScroll2(*this, "VScroll2", {2760, 840, 255, 1335}, 8, ChannelRange),
      VScroll3(*this, "VScroll3", {3360, 840, 255, 1335}, 9, ChannelRange),
      Label5(*this, "Label5", {120, 1080, 495, 255}, 10, "HEX"),
      Text4(*this, "Text4", {600, 960, 1095, 375}, 11, "#000000"),
      Label6(*this, "Label6", {2040, 720, 1695, 1575}, 12),
      Check1(*this, "Check1", {120, 2280, 615, 375}, 13, "Ball"),
      Command1(*this, "Command1", {2040, 2400, 735, 255}, 14, "About"),
      Picture1(*this, "Picture1", {120, 120, 1575, 735}, 15),
      Palette(*this, "Palette", {120, 1800, 1095, 375}, 16, "Palette"),
      Command2(*this, "Command2", {120, 1440, 1575, 255}, 17, "Copy to Clipboard"),
      Timer1(*this, "Timer1", 1),
      program_(program) {
    Label6.BackColor(forms::RGB(192, 192, 192));
    Picture1.AccessibleName("Preview");

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Unload = [this](int& cancel) { Form_Unload(cancel); };
    Text1.Change = [this] { Text1_Change(); };
    Text2.Change = [this] { Text2_Change(); };
    Text3.Change = [this] { Text3_Change(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    VScroll1.Scroll = [this] { VScroll1_Scroll(); };
    VScroll2.Change = [this] { VScroll2_Change(); };
    VScroll2.Scroll = [this] { VScroll2_Scroll(); };
    VScroll3.Change = [this] { VScroll3_Change(); };
    VScroll3.Scroll = [this] { VScroll3_Scroll(); };
    Text4.KeyPress = [this](int& key_ascii) { Text4_KeyPress(key_ascii); };
    Command2.Click = [this] { Command2_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Palette.Click = [this] { Palette_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void Form_Varnel::Form_Load() {
    ball_dx = 1;
    ball_dy = 1;
    ball_x = 10;
    ball_y = 11;
    last_red = "0";
    last_green = "0";
    last_blue = "0";
}

void Form_Varnel::Form_Activate() {
    if (program_.About.window().Visible()) program_.About.Unload();
    // A field may hold a text that is no number (while the user retypes it); the preview then
    // keeps its colour, as print_color does.
    if (const std::optional<forms::ColourValue> colour = fields_colour())
        Picture1.BackColor(*colour);
}

void Form_Varnel::Form_Unload(int& /*cancel*/) {
    program_.About.Unload();
    program_.myPalette.Unload();
}

}  // namespace varnel
