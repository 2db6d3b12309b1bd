#pragma once

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"

namespace varnel {

class Program;

// The palette window: a fixed spectrum to pick the main window's colour from with the mouse.
class myPalette final : public forms::Form {
public:
    explicit myPalette(Program& program);

    forms::PictureBox Picture2;  // the spectrum, picked from with the left button

private:
    void Picture2_Paint();
    void Picture2_MouseDown(int button, int shift, float x, float y);
    void Picture2_MouseMove(int button, int shift, float x, float y);

    // Writes the colour drawn at (x, y) twips into the main window's decimal fields.
    void pick(float x, float y);

    Program& program_;
};

}  // namespace varnel
