// The ball trail: while "Ball" is checked, each timer tick plots a white dot on the preview box
// and moves the point one pixel diagonally. It bounces off 0 and turns back at limits drawn
// afresh on every tick, so it wanders beyond the box and back.
#include <cstdint>

#include "app/form_varnel.h"
#include "app/program.h"
#include "platform/forms/colour.h"
#include "platform/forms/controls.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/random.h"
#include "platform/forms/runtime.h"

namespace varnel {

namespace {

// Where the walk turns back: a limit drawn afresh on every tick, a whole number from its lowest
// value on, one of so many. The limits do not follow the preview's size: the point wanders
// beyond the box and back.
struct WalkLimit {
    int lowest;
    int count;
};
constexpr WalkLimit RightLimit{80, 100};  // 80 to 179
constexpr WalkLimit LowerLimit{10, 150};  // 10 to 159

}  // namespace

void Form_Varnel::Check1_Click() { Timer1.Enabled(Check1.Value() != 0); }

void Form_Varnel::Timer1_Timer() {
    // A limit is drawn after reseeding the generator from the clock, and held as a single.
    forms::RandomSource& random = program_.runtime.random();
    const auto draw = [&random](WalkLimit limit) {
        random.reseed_from_clock();
        const auto offset = static_cast<int>(static_cast<double>(random.next()) * limit.count);
        return static_cast<float>(offset + limit.lowest);
    };

    if (ball_x < 0) ball_dx = 1;
    const float right_limit = draw(RightLimit);
    if (static_cast<float>(ball_x) > right_limit) ball_dx = -1;

    if (ball_y < 0) ball_dy = 1;
    const float lower_limit = draw(LowerLimit);
    if (static_cast<float>(ball_y) > lower_limit) ball_dy = -1;

    // Plot before moving; a point outside the drawing area draws nothing.
    forms::SetPixel(Picture1.hDC(), ball_x, ball_y, forms::RGB(255, 255, 255));
    ball_x = static_cast<std::int16_t>(ball_x + ball_dx);
    ball_y = static_cast<std::int16_t>(ball_y + ball_dy);
}

}  // namespace varnel
