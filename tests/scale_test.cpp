// Showing the program on a denser screen: twips, design pixels and device pixels at a scale, and
// which pixel of a picture box's surface a device pixel shows and picks.
#include <gtest/gtest.h>

#include <string>

#include "platform/forms/scale.h"
#include "platform/forms/scaled_surface.h"
#include "tests/varnel_fixture.h"

namespace {

using forms::PixelRect;
using forms::Scale;

// 1, 1.25, 1.5 and 2.
constexpr int Dpis[] = {96, 120, 144, 192};

std::string factor_of(int dpi) { return "at " + std::to_string(dpi) + " dpi"; }

TEST(Scale, EveryDevicePixelBelongsToOneDesignPixel) {
    for (const int dpi : Dpis) {
        const Scale scale(dpi);
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
        {0, 0, 254, 184}, {0, 0, 317, 230}, {0, 0, 381, 276}, {0, 0, 508, 368}};
    for (int k = 0; k < 4; ++k) {
        const Scale scale(Dpis[k]);
        EXPECT_EQ(scale.device(main_client), expected[k]) << factor_of(Dpis[k]);
        EXPECT_EQ(scale.device_length(3810), expected[k].right) << factor_of(Dpis[k]);
    }
    // A control's twips go to design pixels as at 96 dots per inch (rounded down), and its edges
    // are enlarged: two controls that meet still meet, at any factor.
    const forms::Bounds left{30, 0, 2200, 3865};
    EXPECT_EQ(Scale().device(left), (PixelRect{2, 0, 148, 257}));
    EXPECT_EQ(Scale(144).device(left), (PixelRect{3, 0, 222, 385}));
    const forms::Bounds right{2230, 0, 15, 15};
    for (const int dpi : Dpis) {
        EXPECT_EQ(Scale(dpi).device(left).right, Scale(dpi).device(right).left) << factor_of(dpi);
    }
}

TEST(Scale, AWindowsPlaceGoesToTwipsAndBackWithoutLoss) {
    for (const int dpi : {96, 120, 144, 168, 192, 240, 384}) {
        const Scale scale(dpi);
        for (int device = -300; device < 3000; ++device) {
            ASSERT_EQ(scale.device_of_twips(scale.twips(device)), device) << factor_of(dpi);
        }
        // The palette goes to the main window's Left + Width: exactly its right edge.
        const float left = scale.twips(101);
        const float width = scale.twips(510);
        EXPECT_EQ(scale.device_of_twips(left + width), 611) << factor_of(dpi);
    }
    EXPECT_EQ(Scale().twips(7), 105);
    EXPECT_EQ(Scale(192).twips(7), 52.5);
    EXPECT_EQ(Scale(144).twips(7), 70);
    // The program may write any twips: the nearest device pixel.
    EXPECT_EQ(Scale(192).device_of_twips(1000), 133);
    EXPECT_EQ(Scale().device_of_twips(1000), 67);
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
        const forms::ScaledSurface surface(Scale(dpi), box);
        const PixelRect all = surface.device_area({0, 0, 101, 45});
        // The preview's drawing area starts 10 design pixels in.
        EXPECT_EQ(all.left, Scale(dpi).device(10)) << factor_of(dpi);
        EXPECT_EQ(all.right, Scale(dpi).device(111)) << factor_of(dpi);
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
    const forms::ScaledSurface surface(Scale(144), preview());
    // At 1.5 the preview's surface pixels 0, 1, 2 (design pixels 10, 11, 12) are shown by device
    // pixels 15, then 16 and 17, then 18.
    ASSERT_EQ(surface.device_area({0, 0, 1, 1}), (PixelRect{15, 15, 16, 16}));
    ASSERT_EQ(surface.device_area({1, 1, 2, 2}), (PixelRect{16, 16, 18, 18}));
    EXPECT_EQ(surface.surface_area({17, 17, 18, 18}), (PixelRect{1, 1, 2, 2}));
    EXPECT_EQ(surface.surface_area({15, 15, 17, 17}), (PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(surface.surface_area({17, 17, 19, 19}), (PixelRect{1, 1, 3, 3}));
    EXPECT_TRUE(surface.surface_area({20, 20, 20, 30}).empty());
    // A whole device area gives back its surface pixels, at every factor.
    for (const int dpi : Dpis) {
        const forms::ScaledSurface scaled(Scale(dpi), preview());
        const PixelRect part{7, 3, 60, 44};
        EXPECT_EQ(scaled.surface_area(scaled.device_area(part)), part) << factor_of(dpi);
    }
}

}  // namespace
