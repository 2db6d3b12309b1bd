// Showing the program on a denser screen, as both native back ends do: twips, design pixels and
// device pixels at a scale, fonts at the scale, which pixel of a picture box's surface a device
// pixel shows and picks, and the box's border around it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/scaling/scale.h"
#include "platform/scaling/scaled_surface.h"
#include "platform/scaling/sunken_border.h"
#include "tests/varnel_fixture.h"

namespace {

using forms::PixelRect;
using scaling::Scale;

// 1, 1.25, 1.5, 2 and 3.
constexpr int Dpis[] = {96, 120, 144, 192, 288};

std::string factor_of(int dpi) { return "at " + std::to_string(dpi) + " dpi"; }

// The scale of a density the program shows itself at.
Scale at(int dpi) { return Scale::of_dpi(dpi).value(); }

// A scale is made only of a density from 96 to 480 dots per inch, a factor from 1 to 5, whatever
// a system or a setting says: both back ends make theirs here, and refuse alike.
TEST(Scale, OnlyAFactorFromOneToFiveMakesAScale) {
    EXPECT_EQ(Scale::of_dpi(96), Scale());
    EXPECT_EQ(Scale::of_dpi(480)->dpi(), 480);
    EXPECT_EQ(Scale::of_factor(1.3)->dpi(), 125);  // 124.8 dots per inch
    EXPECT_EQ(Scale::of_factor(1), Scale());
    EXPECT_EQ(Scale::of_factor(5)->dpi(), 480);
    for (const int dpi : {0, -96, 95, 481, 1 << 30}) {
        EXPECT_EQ(Scale::of_dpi(dpi), std::nullopt) << dpi;
    }
    // The factor's limits, not the density's: 0.999 and 5.001 would round to 96 and 480.
    for (const double factor : {0.0, 0.99, 0.999, 5.001, 5.01, -2.0, std::nan(""), 1e300,
                                std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(Scale::of_factor(factor), std::nullopt) << factor;
    }
}

// At every density, also those whose device pixels meet the design pixels' edges only rarely.
TEST(Scale, EveryDevicePixelBelongsToOneDesignPixel) {
    for (int dpi = Scale::MinDpi; dpi <= Scale::MaxDpi; ++dpi) {
        const Scale scale = at(dpi);
        for (int design = -40; design < 400; ++design) {
            const int first = scale.device(design);
            const int next = scale.device(design + 1);
            // One device pixel at least, and no more than the factor rounded up.
            ASSERT_GE(next - first, 1) << factor_of(dpi) << ", design pixel " << design;
            ASSERT_LE(next - first, (dpi + 95) / 96) << factor_of(dpi);
            for (int device = first; device < next; ++device) {
                ASSERT_EQ(scale.design(device), design) << factor_of(dpi) << ", device " << device;
            }
        }
    }
}

TEST(Scale, TheWindowsAndControlsGrowWithTheFactor) {
    const forms::Bounds main_client{0, 0, 3810, 2760};  // 254 x 184 design pixels
    const PixelRect expected[] = {
        {0, 0, 254, 184}, {0, 0, 317, 230}, {0, 0, 381, 276}, {0, 0, 508, 368}, {0, 0, 762, 552}};
    for (int k = 0; k < 5; ++k) {
        const Scale scale = at(Dpis[k]);
        EXPECT_EQ(scale.device(main_client), expected[k]) << factor_of(Dpis[k]);
        EXPECT_EQ(scale.device_length(3810), expected[k].right) << factor_of(Dpis[k]);
    }
    // A control's twips go to design pixels as at 96 dots per inch (rounded down), and its edges
    // are enlarged: two controls that meet still meet, at any factor.
    const forms::Bounds left{30, 0, 2200, 3865};
    EXPECT_EQ(Scale().device(left), (PixelRect{2, 0, 148, 257}));
    EXPECT_EQ(at(144).device(left), (PixelRect{3, 0, 222, 385}));
    EXPECT_EQ(at(288).device(left), (PixelRect{6, 0, 444, 771}));
    const forms::Bounds right{2230, 0, 15, 15};
    for (const int dpi : Dpis) {
        EXPECT_EQ(at(dpi).device(left).right, at(dpi).device(right).left) << factor_of(dpi);
    }
}

TEST(Scale, AWindowsPlaceGoesToTwipsAndBackWithoutLoss) {
    for (const int dpi : {96, 120, 144, 168, 192, 240, 384}) {
        const Scale scale = at(dpi);
        for (int device = -300; device < 3000; ++device) {
            ASSERT_EQ(scale.device_of_twips(scale.twips(device)), device) << factor_of(dpi);
        }
        // The palette goes to the main window's Left + Width: exactly its right edge.
        const float left = scale.twips(101);
        const float width = scale.twips(510);
        EXPECT_EQ(scale.device_of_twips(left + width), 611) << factor_of(dpi);
    }
    EXPECT_EQ(Scale().twips(7), 105);
    EXPECT_EQ(at(192).twips(7), 52.5);
    EXPECT_EQ(at(144).twips(7), 70);
    // The program may write any twips: the nearest device pixel.
    EXPECT_EQ(at(192).device_of_twips(1000), 133);
    EXPECT_EQ(Scale().device_of_twips(1000), 67);
}

TEST(Scale, TextIsSetInAFontOfTheScalesSizeRoundedToTheNearestPixel) {
    // The default 8 points, and the About window's 24, at 1, 1.25, 1.5, 2 and 3.
    const int eight[] = {11, 13, 16, 21, 32};
    const int twenty_four[] = {32, 40, 48, 64, 96};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(at(Dpis[k]).font_pixels(8), eight[k]) << factor_of(Dpis[k]);
        EXPECT_EQ(at(Dpis[k]).font_pixels(24), twenty_four[k]) << factor_of(Dpis[k]);
    }
    EXPECT_EQ(at(168).font_pixels(8), 19);   // 18.67
    EXPECT_EQ(at(108).font_pixels(2), 3);    // 3 exactly
    EXPECT_EQ(at(126).font_pixels(2), 4);    // 3.5, rounded up
    EXPECT_EQ(at(121).font_pixels(11), 18);  // 18.49, rounded down
}

class ScaledSurfaceTest : public varnel_test::VarnelTest {
protected:
    forms::PictureBox& preview() { return main().Picture1; }
};

TEST_F(ScaledSurfaceTest, EachSurfacePixelIsShownByABlockOfDevicePixelsThatPicksIt) {
    const forms::PictureBox& box = preview();
    ASSERT_EQ(box.surface_width(), 101);
    ASSERT_EQ(box.surface_height(), 45);
    for (const int dpi : Dpis) {
        const scaling::ScaledSurface surface(at(dpi), box);
        const PixelRect all = surface.device_area({0, 0, 101, 45});
        // The preview's drawing area starts 10 design pixels in.
        EXPECT_EQ(all.left, at(dpi).device(10)) << factor_of(dpi);
        EXPECT_EQ(all.right, at(dpi).device(111)) << factor_of(dpi);
        for (int row = 0; row < 45; ++row) {
            for (int column = 0; column < 101; ++column) {
                const PixelRect block = surface.device_area({column, row, column + 1, row + 1});
                ASSERT_FALSE(block.empty());
                // The blocks tile the area: each starts where its left and upper neighbours end.
                ASSERT_EQ(block.left, surface.device_area({0, 0, column, 1}).right);
                ASSERT_EQ(block.top, surface.device_area({0, 0, 1, row}).bottom);
                for (int y = block.top; y < block.bottom; ++y) {
                    for (int x = block.left; x < block.right; ++x) {
                        ASSERT_EQ(surface.column_at(x), column) << factor_of(dpi);
                        ASSERT_EQ(surface.row_at(y), row) << factor_of(dpi);
                        ASSERT_EQ(surface.twips_x(x), column * forms::TwipsPerPixel);
                        ASSERT_EQ(surface.twips_y(y), row * forms::TwipsPerPixel);
                    }
                }
            }
        }
        // Outside the drawing area: outside the surface (the border, or beyond the box while a
        // button is held).
        EXPECT_EQ(surface.column_at(all.left - 1), -1) << factor_of(dpi);
        EXPECT_EQ(surface.row_at(all.bottom), 45) << factor_of(dpi);
    }
}

TEST_F(ScaledSurfaceTest, AnUncoveredAreaIsEverySurfacePixelItTouches) {
    const scaling::ScaledSurface surface(at(144), preview());
    // At 1.5 the preview's surface pixels 0, 1, 2 (design pixels 10, 11, 12) are shown by device
    // pixels 15, then 16 and 17, then 18.
    ASSERT_EQ(surface.device_area({0, 0, 1, 1}), (PixelRect{15, 15, 16, 16}));
    ASSERT_EQ(surface.device_area({1, 1, 2, 2}), (PixelRect{16, 16, 18, 18}));
    EXPECT_EQ(surface.surface_area({17, 17, 18, 18}), (PixelRect{1, 1, 2, 2}));
    EXPECT_EQ(surface.surface_area({15, 15, 17, 17}), (PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(surface.surface_area({17, 17, 19, 19}), (PixelRect{1, 1, 3, 3}));
    EXPECT_TRUE(surface.surface_area({20, 20, 20, 30}).empty());
    // At 3 each surface pixel is a block of 3 x 3.
    const scaling::ScaledSurface tripled(at(288), preview());
    EXPECT_EQ(tripled.device_area({1, 1, 2, 2}), (PixelRect{33, 33, 36, 36}));
    EXPECT_EQ(tripled.surface_area({33, 34, 36, 35}), (PixelRect{1, 1, 2, 2}));
    // A whole device area gives back its surface pixels, at every factor.
    for (const int dpi : Dpis) {
        const scaling::ScaledSurface scaled(at(dpi), preview());
        const PixelRect part{7, 3, 60, 44};
        EXPECT_EQ(scaled.surface_area(scaled.device_area(part)), part) << factor_of(dpi);
    }
}

// The border's strokes and the drawing area cover the box's device pixels exactly once each, in
// the shades of a sunken edge.
TEST_F(ScaledSurfaceTest, TheBordersTwoRingsOfDesignPixelsFillTheBandAroundTheDrawingArea) {
    const forms::PictureBox& box = preview();
    for (const int dpi : Dpis) {
        const Scale scale = at(dpi);
        const PixelRect whole = scale.device(box.bounds());
        const int width = whole.right - whole.left;
        const int height = whole.bottom - whole.top;
        // What covers each device pixel of the box: -1 nothing, 8 the drawing area, else a stroke.
        std::vector<int> cover(static_cast<std::size_t>(width * height), -1);
        const auto paint = [&](const PixelRect& area, int what) {
            for (int y = area.top; y < area.bottom; ++y) {
                for (int x = area.left; x < area.right; ++x) {
                    ASSERT_TRUE(x >= whole.left && x < whole.right && y >= whole.top &&
                                y < whole.bottom)
                        << factor_of(dpi) << ": " << x << "," << y << " is outside the box";
                    int& covered =
                        cover[static_cast<std::size_t>((y - whole.top) * width + (x - whole.left))];
                    ASSERT_EQ(covered, -1) << factor_of(dpi) << ": " << x << "," << y << " twice";
                    covered = what;
                }
            }
        };
        // Held as both back ends hold it.
        const std::array<scaling::BorderStroke, 8> border = scaling::sunken_border(scale, box);
        for (int k = 0; k < 8; ++k) paint(border[static_cast<std::size_t>(k)].area, k);
        paint(scaling::ScaledSurface(scale, box)
                  .device_area({0, 0, box.surface_width(), box.surface_height()}),
              8);
        ASSERT_EQ(std::count(cover.begin(), cover.end(), -1), 0) << factor_of(dpi);

        const auto shade_at = [&](int design_x, int design_y) {
            const int at =
                cover[static_cast<std::size_t>((scale.device(design_y) - whole.top) * width +
                                               scale.device(design_x) - whole.left)];
            return border[static_cast<std::size_t>(at)].shade;
        };
        // The box spans design pixels 8 to 112 across and 8 to 56 down.
        EXPECT_EQ(shade_at(8, 8), scaling::Shade::Shadow) << factor_of(dpi);
        EXPECT_EQ(shade_at(111, 8), scaling::Shade::Shadow) << factor_of(dpi);
        EXPECT_EQ(shade_at(112, 8), scaling::Shade::Highlight) << factor_of(dpi);
        EXPECT_EQ(shade_at(8, 56), scaling::Shade::Highlight) << factor_of(dpi);
        EXPECT_EQ(shade_at(9, 9), scaling::Shade::DarkShadow) << factor_of(dpi);
        EXPECT_EQ(shade_at(9, 54), scaling::Shade::DarkShadow) << factor_of(dpi);
        EXPECT_EQ(shade_at(9, 55), scaling::Shade::Light) << factor_of(dpi);
        EXPECT_EQ(shade_at(111, 55), scaling::Shade::Light) << factor_of(dpi);
        // Each ring is one design pixel wide: as many device pixels as that design pixel.
        EXPECT_EQ(border[0].area.bottom - border[0].area.top, scale.device(9) - scale.device(8));
    }
}

}  // namespace
