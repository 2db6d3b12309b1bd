// The ball trail: while "Ball" is checked, each timer tick plots a white dot on the preview box
// and moves the point one pixel diagonally. It bounces off 0 and turns back at limits drawn
// afresh on every tick, so it wanders beyond the box and back.
#include "app/form_varnel.h"
#include "app/program.h"

namespace varnel {

void Form_Varnel::Check1_Click() { Timer1.Enabled(Check1.Value() != 0); }

void Form_Varnel::Timer1_Timer() {
    forms::RandomSource& random = program_.runtime.random();

    if (ball_x < 0) ball_dx = 1;
    random.reseed_from_clock();
    const float right_limit = static_cast<float>(static_cast<int>(static_cast<double>(random.next()) * 100.0) + 80);
    if (ball_x > right_limit) ball_dx = -1;

    if (ball_y < 0) ball_dy = 1;
    random.reseed_from_clock();
    const float lower_limit = static_cast<float>(static_cast<int>(static_cast<double>(random.next()) * 150.0) + 10);
    if (ball_y > lower_limit) ball_dy = -1;

    // Plot before moving; a point outside the drawing area draws nothing.
    forms::SetPixel(Picture1.hDC(), ball_x, ball_y, forms::RGB(255, 255, 255));
    ball_x = static_cast<std::int16_t>(ball_x + ball_dx);
    ball_y = static_cast<std::int16_t>(ball_y + ball_dy);
}

}  // namespace varnel
