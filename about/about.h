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
    forms::Label Label1;
    forms::Label Label2;
    forms::Label Label3;
    forms::Label Label4;
    forms::Label Label5;
    forms::CommandButton Command1;
    forms::Image Image1;
    forms::Image Image2;

private:
    void Form_Load();
    void Command1_Click();

    Program& program_;
};

}  // namespace varnel
