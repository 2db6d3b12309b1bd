#include "about/about.h"

#include <functional>
#include <initializer_list>
#include <span>
#include <string>

#include "about/photo.h"
#include "app/credits.h"
#include "app/program.h"
#include "app/program_icon.h"
#include "platform/forms/colour.h"
#include "platform/forms/font.h"
#include "platform/forms/window_ref.h"

namespace varnel {

namespace {

const forms::Font TitleFont{"MS Sans Serif", 24, 400, 204};

}  // namespace

About::About(Program& program)
    : forms::Form(program.runtime, {"About", 4680, 2580, &program_icon()}),
      Label1(*this, "Label1", {0, 1080, 2655, 855}, 0),
      Label2(*this, "Label2", {1320, 120, 375, 615}, 1, "V"),
      Label3(*this, "Label3", {1800, 360, 495, 615}, 2, "a"),
      Label4(*this, "Label4", {2400, 120, 375, 615}, 3, "r"),
      Label5(*this, "Label5", {2880, 240, 1575, 495}, 4, "nel"),
      Command1(*this, "Command1", {840, 2160, 1335, 375}, 5, "Close"),
      Image1(*this, "Image1", {120, 240, 840, 720}, &program_icon(), true),
      Image2(*this, "Image2", {2760, 960, 1800, 1410}, about_photo(), false),
      program_(program) {
    for (forms::Label* title : {&Label2, &Label3, &Label4, &Label5}) title->Font(TitleFont);
    Label2.ForeColor(forms::RGB(255, 0, 0));
    Label3.ForeColor(forms::RGB(0, 255, 0));
    Label4.ForeColor(forms::RGB(0, 0, 255));
    Image1.AccessibleName("Program icon");
    Image2.AccessibleName("Photograph of the author");

    Load = [this] { Form_Load(); };
    Command1.Click = [this] { Command1_Click(); };
}

void About::Form_Load() {
    const std::string line_break(1, '\r');
    Label1.Caption("Version 3.0" + line_break + "Autor: " + credits::Author + line_break +
                   "E-mail: " + credits::Email + line_break + "WWW Page: " + credits::WebPage);
}

void About::Command1_Click() { program_.About.Unload(); }

}  // namespace varnel
