// The ball trail: the walk of the white dot over the preview box.
#include <algorithm>

#include "platform/forms/random.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

class BallTrailTest : public VarnelTest {
protected:
    void check_ball() { ui.click(main().Check1); }
    // One tick with the two limits drawn from these random numbers.
    void tick(float right, float lower) {
        random->script = {right, lower};
        ui.tick();
    }
    bool dot_at(int x, int y) { return main().Picture1.pixel(x, y) == forms::White; }
    void place(int x, int y, int dx, int dy) {
        varnel::Form_Varnel& f = main();
        f.ball_x = static_cast<std::int16_t>(x);
        f.ball_y = static_cast<std::int16_t>(y);
        f.ball_dx = static_cast<std::int16_t>(dx);
        f.ball_dy = static_cast<std::int16_t>(dy);
    }
};

TEST_F(BallTrailTest, NothingMovesUntilBallIsChecked) {
    ui.tick();
    EXPECT_EQ(white_pixels(), 0);
    EXPECT_EQ(main().ball_x, 10);
    EXPECT_EQ(random->reseeds, 0);
}

TEST_F(BallTrailTest, TheFirstTickPlotsAtTenElevenThenMovesDownRight) {
    check_ball();
    EXPECT_TRUE(main().Timer1.Enabled());
    tick(0.5F, 0.5F);
    EXPECT_TRUE(dot_at(10, 11));
    EXPECT_EQ(white_pixels(), 1);
    EXPECT_EQ(main().ball_x, 11);
    EXPECT_EQ(main().ball_y, 12);
    EXPECT_EQ(random->reseeds, 2);  // the clock reseeds the generator before each draw
}

TEST_F(BallTrailTest, UncheckingFreezesTheWalkAndKeepsTheDots) {
    check_ball();
    tick(0.5F, 0.5F);
    tick(0.5F, 0.5F);
    check_ball();
    EXPECT_FALSE(main().Timer1.Enabled());
    ui.tick();
    EXPECT_EQ(white_pixels(), 2);
    EXPECT_EQ(main().ball_x, 12);
    check_ball();
    tick(0.5F, 0.5F);
    EXPECT_TRUE(dot_at(12, 13));
}

TEST_F(BallTrailTest, TheGreyedValueAlsoStartsTheTimer) {
    main().Check1.Value(2);
    EXPECT_TRUE(main().Timer1.Enabled());
    main().Check1.Value(0);
    EXPECT_FALSE(main().Timer1.Enabled());
    // The native check box shows each value it is given.
    const int updates = ui.updates(main().Check1);
    program->runtime.input([&] { main().Check1.Value(1); });
    EXPECT_EQ(ui.updates(main().Check1), updates + 1);
    program->runtime.input([&] { main().Check1.Value(0); });
    // A check box has no other values.
    EXPECT_THROW(main().Check1.Value(3), forms::RuntimeError);
    EXPECT_THROW(main().Check1.Value(-1), forms::RuntimeError);
    EXPECT_EQ(main().Check1.Value(), 0);
}

TEST_F(BallTrailTest, TurnsAreCertainAtTheHighestLimitsAndImpossibleAtTheLowest) {
    check_ball();
    place(180, 160, 1, 1);
    tick(0.9999999F, 0.9999999F);  // limits 179 and 159: still exceeded
    EXPECT_EQ(main().ball_dx, -1);
    EXPECT_EQ(main().ball_dy, -1);

    place(80, 10, 1, 1);
    tick(0.0F, 0.0F);  // limits 80 and 10: not strictly exceeded
    EXPECT_EQ(main().ball_dx, 1);
    EXPECT_EQ(main().ball_dy, 1);

    place(81, 11, 1, 1);
    tick(0.0F, 0.0F);
    EXPECT_EQ(main().ball_dx, -1);
    EXPECT_EQ(main().ball_dy, -1);
}

TEST_F(BallTrailTest, TheTurnIsDecidedBeforeThePlotAndThePlotBeforeTheMove) {
    check_ball();
    place(100, 30, 1, 1);
    tick(0.1F, 0.5F);  // limit 90: turns left, but the dot is plotted where the point was
    EXPECT_TRUE(dot_at(100, 30));
    EXPECT_EQ(main().ball_x, 99);
}

TEST_F(BallTrailTest, AfterTurningBackThePointGoesOnToMinusOne) {
    check_ball();
    place(0, 0, -1, -1);
    tick(0.5F, 0.5F);
    EXPECT_TRUE(dot_at(0, 0));
    EXPECT_EQ(main().ball_x, -1);
    EXPECT_EQ(main().ball_y, -1);
    tick(0.5F, 0.5F);  // plotted outside the box: nothing shows, nothing fails
    EXPECT_EQ(main().ball_dx, 1);
    EXPECT_EQ(main().ball_dy, 1);
    EXPECT_EQ(main().ball_x, 0);
    EXPECT_EQ(main().ball_y, 0);
    EXPECT_EQ(white_pixels(), 1);
}

TEST_F(BallTrailTest, ColourChangesAndRepaintsWipeTheTrailButNotTheWalk) {
    check_ball();
    for (int i = 0; i < 5; ++i) tick(0.5F, 0.5F);
    EXPECT_EQ(white_pixels(), 5);
    ui.scroll(main().VScroll1, forms::ScrollAction::LineDown);
    EXPECT_EQ(white_pixels(), 0);
    EXPECT_EQ(main().ball_x, 15);

    tick(0.5F, 0.5F);
    ui.uncover(main().Picture1, {0, 0, 101, 45});
    EXPECT_EQ(white_pixels(), 0);
    EXPECT_EQ(main().Picture1.pixel(15, 16), forms::RGB(1, 0, 0));
}

TEST_F(BallTrailTest, HomeOrEndOnABarAlreadyThereKeepsTheTrail) {
    check_ball();
    for (int i = 0; i < 5; ++i) tick(0.5F, 0.5F);
    ui.scroll(main().VScroll1, forms::ScrollAction::Top);
    ui.scroll(main().VScroll2, forms::ScrollAction::LineUp);
    EXPECT_EQ(white_pixels(), 5);
    ui.scroll(main().VScroll3, forms::ScrollAction::Bottom);
    EXPECT_EQ(white_pixels(), 0);
    tick(0.5F, 0.5F);
    ui.scroll(main().VScroll3, forms::ScrollAction::Bottom);
    ui.scroll(main().VScroll3, forms::ScrollAction::PageDown);
    EXPECT_EQ(white_pixels(), 1);
}

TEST_F(BallTrailTest, TheRealGeneratorsHighestDrawStillTurnsAtTheHighestLimits) {
    // The generator passes through each of its 2^24 states once a cycle. Its highest draw lies
    // a step of 2^-24 below 1, closer than any the scripted tests use, and gives the limits
    // 179 and 159, never 180 and 160.
    forms::ClassicRandom generator;
    float lowest = 1.0F;
    float highest = 0.0F;
    for (int i = 0; i < 1 << 24; ++i) {
        const float drawn = generator.next();
        lowest = std::min(lowest, drawn);
        highest = std::max(highest, drawn);
    }
    EXPECT_EQ(lowest, 0.0F);
    EXPECT_EQ(highest, 1.0F - 0x1p-24F);

    check_ball();
    place(180, 160, 1, 1);
    tick(highest, highest);
    EXPECT_EQ(main().ball_dx, -1);
    EXPECT_EQ(main().ball_dy, -1);
    place(179, 159, 1, 1);
    tick(highest, highest);
    EXPECT_EQ(main().ball_dx, 1);
    EXPECT_EQ(main().ball_dy, 1);
}

}  // namespace
}  // namespace varnel_test
