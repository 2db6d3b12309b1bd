#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace varnel {

class Program;

// The About window: the coloured title, the icon, a photograph, the version and the credits.
class About final : public forms::Form {
public:
    explicit About(Program& program);

    // Controls, in TabIndex order, then the two images.
    forms::Label Label1;            // the version and the credits, four lines
    forms::Label Label2;            // the title's "V", in red
    forms::Label Label3;            // the title's "a", in green, lower than the others
    forms::Label Label4;            // the title's "r", in blue
    forms::Label Label5;            // the title's "nel"
    forms::CommandButton Command1;  // "Close"
    forms::Image Image1;            // the program icon
    forms::Image Image2;            // the photograph of the author

private:
    void Form_Load();
    void Command1_Click();

    Program& program_;
};

}  // namespace varnel
