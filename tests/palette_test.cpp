// The palette window: its spectrum, picking from it, and the Palette button.
#include "palette/strips.h"
#include "platform/scaling/scale.h"
#include "platform/scaling/scaled_surface.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::RGB;
using Writes = std::vector<std::string>;

class PaletteTest : public VarnelTest {
protected:
    PaletteTest() { ui.click(main().Palette); }

    varnel::myPalette& palette() { return *program->myPalette.loaded(); }
    forms::PictureBox& spectrum() { return palette().Picture2; }

    // The channels the main window shows, as a colour value.
    forms::ColourValue picked() {
        return RGB(main().VScroll1.Value(), main().VScroll2.Value(), main().VScroll3.Value());
    }

    void set_colour(int red, int green, int blue) {
        ui.replace_text(main().Text1, std::to_string(red));
        ui.replace_text(main().Text2, std::to_string(green));
        ui.replace_text(main().Text3, std::to_string(blue));
    }
};

// The colour each strip draws in row y.
forms::ColourValue drawn(int column, int row) {
    const int v = row;
    switch (column / 21) {
        case 0:
            return RGB(v, 0, 0);
        case 1:
            return RGB(0, v, 0);
        case 2:
            return RGB(0, 0, v);
        case 3:
            return RGB(v, v, 0);
        case 4:
            return RGB(v, 0, v);
        case 5:
            return RGB(0, v, v);
        default:
            return RGB(v, v, v);
    }
}

TEST_F(PaletteTest, TheWindowAndItsBoxAreBuiltFromTheirDesign) {
    EXPECT_EQ(palette().Caption(), "myPalette");
    EXPECT_EQ(palette().client_width(), 2265);
    EXPECT_EQ(palette().client_height(), 3870);
    EXPECT_EQ(spectrum().bounds(), (forms::Bounds{30, 0, 2200, 3865}));
    EXPECT_EQ(palette().Icon(), main().Icon());
}

TEST_F(PaletteTest, EveryVisiblePixelIsTheSpectrum) {
    const forms::PictureBox& box = spectrum();
    ASSERT_EQ(box.surface_width(), 142);  // the rest of the grey strip lies under the border
    ASSERT_EQ(box.surface_height(), 253);
    for (int y = 0; y < box.surface_height(); ++y) {
        for (int x = 0; x < box.surface_width(); ++x) {
            ASSERT_EQ(box.pixel(x, y), drawn(x, y)) << x << ", " << y;
        }
    }
    EXPECT_NE(box.pixel(20, 100), box.pixel(21, 100));
}

TEST_F(PaletteTest, RowTwoHundredFiftyFiveHoldsTheFullColours) {
    // Rows beyond the drawing area are clipped on screen but drawn all the same.
    const forms::ColourValue full[] = {RGB(255, 0, 0),    RGB(0, 255, 0),   RGB(0, 0, 255),
                                       RGB(255, 255, 0),  RGB(255, 0, 255), RGB(0, 255, 255),
                                       RGB(255, 255, 255)};
    for (std::size_t k = 0; k < palette::Strips.size(); ++k) {
        EXPECT_EQ(palette::Strips[k].colour(255), full[k]);
        EXPECT_EQ(palette::Strips[k].colour(0), RGB(0, 0, 0));
    }
    EXPECT_EQ(palette::Columns, 147);
    EXPECT_EQ(palette::Rows, 256);
}

TEST_F(PaletteTest, ARepaintShowsTheSamePictureWhateverTheMainColour) {
    const std::vector<forms::ColourValue> before = spectrum().pixels();
    set_colour(9, 99, 199);
    ui.uncover(spectrum(), {10, 10, 60, 60});
    EXPECT_EQ(spectrum().pixels(), before);
    ui.click(main().Palette);
    ui.click(main().Palette);
    EXPECT_EQ(spectrum().pixels(), before);
}

// Held by the box, the palette takes no input, as a disabled window: neither a press on the
// spectrum, nor its close button, nor a click that would make it the active window. The box
// holds the About window too, which the main window's activation loaded hidden.
TEST_F(PaletteTest, WhileTheErrorBoxWaitsThePaletteTakesNoInput) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text2, "25");
    ui.on_message_box = [&](const auto& box) {
        EXPECT_EQ(box.held,
                  (std::vector<const forms::Form*>{&f, program->About.loaded(), &palette()}));
        ui.mouse_down(spectrum(), forms::LeftButton, 10, 100);
        ui.close(palette());
        ui.focus(palette());
    };
    ui.type(f.Text2, "6");
    ASSERT_EQ(ui.message_boxes().size(), 1U);
    EXPECT_EQ(program->runtime.active_form(), &f);
    ASSERT_NE(program->myPalette.loaded(), nullptr);
    EXPECT_TRUE(palette().Visible());
    EXPECT_EQ(picked(), RGB(0, 25, 0));

    // Once the box is answered, both work again.
    ui.mouse_down(spectrum(), forms::LeftButton, 10, 100);
    EXPECT_EQ(picked(), RGB(100, 0, 0));
    EXPECT_EQ(program->runtime.active_form(), &palette());
    ui.close(palette());
    EXPECT_EQ(program->myPalette.loaded(), nullptr);
}

// The grey strip's last visible column is the drawing area's last.
TEST_F(PaletteTest, APressOrADragPicksTheColourDrawnAtEveryStripsVisibleEdges) {
    for (int k = 0; k < 7; ++k) {
        for (const int column : {21 * k, std::min(21 * k + 20, spectrum().surface_width() - 1)}) {
            set_colour(1, 2, 3);
            ui.mouse_down(spectrum(), forms::LeftButton, column, 200);
            EXPECT_EQ(picked(), drawn(column, 200)) << "press at column " << column;
            set_colour(1, 2, 3);
            ui.mouse_move(spectrum(), forms::LeftButton, column, 77);
            EXPECT_EQ(picked(), drawn(column, 77)) << "drag at column " << column;
        }
    }
    EXPECT_TRUE(ui.message_boxes().empty());
}

// On a scaled screen each spectrum pixel is shown by a block of device pixels; a press on any of
// them reaches the program as a press on that pixel, so it picks the colour shown under it.
TEST_F(PaletteTest, APressAtEveryDevicePixelOfAScaledColumnPicksThatColumnsColour) {
    forms::PictureBox& box = spectrum();
    ui.focus(palette());
    for (const int dpi : {96, 120, 144, 192, 288}) {
        const scaling::ScaledSurface surface(*scaling::Scale::of_dpi(dpi), box);
        for (int column = 0; column < box.surface_width(); ++column) {
            for (const int row : {100, 101}) {
                const forms::PixelRect block =
                    surface.device_area({column, row, column + 1, row + 1});
                for (int y = block.top; y < block.bottom; ++y) {
                    for (int x = block.left; x < block.right; ++x) {
                        ui.mouse_down(box, forms::LeftButton, 0, 0);  // black, to see a change
                        box.user_mouse_down(forms::LeftButton, 0, surface.twips_x(x),
                                            surface.twips_y(y));
                        ASSERT_EQ(picked(), drawn(column, row))
                            << dpi << " dpi, device pixel " << x << "," << y;
                    }
                }
            }
        }
    }
    EXPECT_TRUE(ui.message_boxes().empty());
}

// A press at column 41 (drawn green) once set blue, a drag at column 83 (drawn yellow) picked
// magenta, and a press in the magenta, cyan or grey strips did nothing.
TEST_F(PaletteTest, PressAndDragPickFromTheSameStripsAsDrawn) {
    ui.mouse_down(spectrum(), forms::LeftButton, 41, 100);
    EXPECT_EQ(picked(), RGB(0, 100, 0));
    ui.mouse_move(spectrum(), forms::LeftButton, 83, 100);
    EXPECT_EQ(picked(), RGB(100, 100, 0));
    ui.mouse_down(spectrum(), forms::LeftButton, 90, 252);
    EXPECT_EQ(main().Text4.Text(), "#FC00FC");
    ui.mouse_down(spectrum(), forms::LeftButton, 130, 15);
    EXPECT_EQ(main().Text4.Text(), "#0F0F0F");
}

TEST_F(PaletteTest, ADragOverRow128OfTheRedStrip) {
    set_colour(0, 50, 60);
    record_writes();
    ui.mouse_move(spectrum(), forms::LeftButton, 10, 128);
    EXPECT_EQ(main().Text1.Text(), "128");
    EXPECT_EQ(main().Text4.Text(), "#800000");
    EXPECT_EQ(writes.front(), "Text1=128");
}

TEST_F(PaletteTest, APickWritesTheFieldsInItsStripsOrderThenShowsTheColour) {
    set_colour(7, 7, 7);
    record_writes();
    ui.mouse_down(spectrum(), forms::LeftButton, 30, 200);  // green strip
    Writes fields;
    for (const std::string& write : writes) {
        if (write.starts_with("Text") && !write.starts_with("Text4")) fields.push_back(write);
    }
    EXPECT_EQ(fields, (Writes{"Text2=200", "Text1=0", "Text3=0"}));
    EXPECT_EQ(main().Text4.Text(), "#00C800");
    EXPECT_EQ(writes.back(), "Text4=#00C800");
}

TEST_F(PaletteTest, BesideTheSpectrumNothingIsPickedButTheDisplayIsRebuilt) {
    set_colour(1, 2, 3);
    record_writes();
    for (const int column : {-1, -30, 147, 160}) {
        forms::SetPixel(main().Picture1.hDC(), 2, 2, forms::White);
        writes.clear();
        ui.mouse_move(spectrum(), forms::LeftButton, column, 50);
        EXPECT_EQ(picked(), RGB(1, 2, 3)) << column;
        EXPECT_EQ(print_color_runs(), 1) << column;
        EXPECT_EQ(white_pixels(), 0);
    }
}

// A press in row 256 once wrote "256" and raised the refusal box; rows 253 to 255 lie under the
// box's bottom border and once picked all the same.
TEST_F(PaletteTest, AboveOrBelowTheVisibleSpectrumNothingHappensAtAll) {
    set_colour(1, 2, 3);
    record_writes();
    writes.clear();
    for (const int row : {-1, 253, 255, 256, 257, 300}) {
        ui.mouse_down(spectrum(), forms::LeftButton, 10, row);
        ui.mouse_move(spectrum(), forms::LeftButton, 10, row);
    }
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(ui.message_boxes().empty());
    ui.mouse_down(spectrum(), forms::LeftButton, 10, 252);
    EXPECT_EQ(picked(), RGB(252, 0, 0));
}

// Around the whole box, border and margin included, at every scale: a press or a drag on a
// device pixel picks only where the drawing area shows the spectrum, and then what it shows.
// The right border once picked the grey strip's hidden columns, the bottom border rows 253 to
// 255.
TEST_F(PaletteTest, OnlyWhereTheSpectrumIsVisibleAPressOrADragPicks) {
    forms::PictureBox& box = spectrum();
    ui.focus(palette());
    const auto sentinel = [&] { ui.mouse_down(box, forms::LeftButton, 0, 0); };  // black
    for (const int dpi : {96, 144, 192}) {
        const scaling::Scale scale = *scaling::Scale::of_dpi(dpi);
        const scaling::ScaledSurface surface(scale, box);
        const forms::PixelRect outside = scale.device(box.bounds());
        // Device pixels along each edge of the box, from two beyond it to two within its
        // drawing area, across the middle of the other direction and at both ends.
        std::vector<std::pair<int, int>> pixels;
        const forms::PixelRect area =
            surface.device_area({0, 0, box.surface_width(), box.surface_height()});
        for (const int y : {area.top, (area.top + area.bottom) / 2, area.bottom - 1}) {
            for (int x = outside.left - 2; x < area.left + 2; ++x) pixels.emplace_back(x, y);
            for (int x = area.right - 2; x < outside.right + 2; ++x) pixels.emplace_back(x, y);
        }
        for (const int x : {area.left, (area.left + area.right) / 2, area.right - 1}) {
            for (int y = outside.top - 2; y < area.top + 2; ++y) pixels.emplace_back(x, y);
            for (int y = area.bottom - 2; y < outside.bottom + 2; ++y) pixels.emplace_back(x, y);
        }
        for (const auto& [x, y] : pixels) {
            const int column = surface.column_at(x);
            const int row = surface.row_at(y);
            const bool visible = column >= 0 && column < box.surface_width() && row >= 0 &&
                                 row < box.surface_height();
            const forms::ColourValue expected = visible ? drawn(column, row) : RGB(0, 0, 0);
            sentinel();
            box.user_mouse_down(forms::LeftButton, 0, surface.twips_x(x), surface.twips_y(y));
            ASSERT_EQ(picked(), expected) << dpi << " dpi, press on device pixel " << x << "," << y;
            sentinel();
            box.user_mouse_move(forms::LeftButton, 0, surface.twips_x(x), surface.twips_y(y));
            ASSERT_EQ(picked(), expected)
                << dpi << " dpi, drag over device pixel " << x << "," << y;
        }
    }
    EXPECT_TRUE(ui.message_boxes().empty());
}

TEST_F(PaletteTest, OnlyTheLeftButtonAlonePicks) {
    set_colour(1, 2, 3);
    record_writes();
    writes.clear();
    ui.mouse_down(spectrum(), forms::RightButton, 10, 100);
    ui.mouse_down(spectrum(), forms::MiddleButton, 10, 100);
    for (const int buttons : {0, 2, 3, 4, 5}) ui.mouse_move(spectrum(), buttons, 10, 100);
    EXPECT_TRUE(writes.empty());
    ui.mouse_move(spectrum(), forms::LeftButton, 10, 100, forms::ShiftKey | forms::CtrlKey);
    EXPECT_EQ(picked(), RGB(100, 0, 0));
}

TEST_F(PaletteTest, FirstClickPlacesThePaletteBesideTheMainWindow) {
    EXPECT_TRUE(palette().Visible());
    EXPECT_TRUE(ui.shown(palette()));
    EXPECT_EQ(palette().Left(), main().Left() + main().Width());
    EXPECT_EQ(palette().Top(), main().Top());
}

TEST_F(PaletteTest, EachClickPlacesThenToggles) {
    varnel::Form_Varnel& f = main();
    f.user_moved(3000, 1500, f.Width(), f.Height());  // the user moved the main window
    ui.click(f.Palette);
    EXPECT_FALSE(palette().Visible());
    EXPECT_EQ(palette().Left(), 3000 + f.Width());
    EXPECT_EQ(palette().Top(), 1500);

    ui.click(f.Palette);
    EXPECT_TRUE(palette().Visible());
    palette().user_moved(15, 15, palette().Width(), palette().Height());  // dragged away
    ui.click(f.Palette);
    ui.click(f.Palette);
    EXPECT_TRUE(palette().Visible());
    EXPECT_EQ(palette().Left(), 3000 + f.Width());
}

// The model places the palette wherever the main window stands: no screen limits it.
TEST_F(PaletteTest, ThePaletteStandsBesideTheMainWindowAlsoBeyondTheScreen) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Palette);  // hidden
    for (const auto& [left, top] :
         {std::pair{1150.0F * 15, 100.0F * 15}, std::pair{100.0F * 15, 800.0F * 15},
          std::pair{-200.0F * 15, -30.0F * 15}, std::pair{5000.0F * 15, 4000.0F * 15}}) {
        f.user_moved(left, top, f.Width(), f.Height());
        ui.click(f.Palette);
        EXPECT_TRUE(palette().Visible());
        EXPECT_EQ(palette().Left(), left + f.Width());
        EXPECT_EQ(palette().Top(), top);
        ui.click(f.Palette);
    }
}

TEST_F(PaletteTest, AClosedPaletteComesBackInOneClick) {
    ui.close(palette());
    ASSERT_EQ(program->myPalette.loaded(), nullptr);
    const int windows = ui.windows_created();
    ui.click(main().Palette);
    ASSERT_NE(program->myPalette.loaded(), nullptr);
    EXPECT_EQ(ui.windows_created(), windows + 1);
    EXPECT_TRUE(palette().Visible());
    EXPECT_EQ(palette().Left(), main().Left() + main().Width());
    EXPECT_EQ(spectrum().pixel(30, 40), drawn(30, 40));
}

}  // namespace
}  // namespace varnel_test
