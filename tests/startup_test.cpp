// Start-up, activation, shutdown and the single window instances of Varnel.
#include <functional>

#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::RGB;

TEST_F(VarnelTest, StartsBlackWithItsDesignValues) {
    varnel::Form_Varnel& f = main();
    EXPECT_EQ(f.Caption(), "Varnel v3.0");
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(ui.shown(f));
    for (const forms::TextBox* field : {&f.Text1, &f.Text2, &f.Text3})
        EXPECT_EQ(field->Text(), "0");
    EXPECT_EQ(f.Text4.Text(), "#000000");
    for (const forms::VScrollBar* bar : {&f.VScroll1, &f.VScroll2, &f.VScroll3}) {
        EXPECT_EQ(bar->Value(), 0);
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Max(), 255);
    }
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(f.Timer1.Interval(), 1);
    EXPECT_EQ(f.Label6.BackColor(), RGB(192, 192, 192));
    EXPECT_EQ(preview(), RGB(0, 0, 0));
    EXPECT_EQ(program->runtime.active_form(), &f);
    EXPECT_TRUE(ui.message_boxes().empty());
}

TEST_F(VarnelTest, LoadSetsTheWalkAndTheLastTexts) {
    varnel::Form_Varnel& f = main();
    EXPECT_EQ(f.ball_x, 10);
    EXPECT_EQ(f.ball_y, 11);
    EXPECT_EQ(f.ball_dx, 1);
    EXPECT_EQ(f.ball_dy, 1);
    EXPECT_EQ(f.last_red, "0");
    EXPECT_EQ(f.last_green, "0");
    EXPECT_EQ(f.last_blue, "0");
}

TEST_F(VarnelTest, FirstActivationLoadsAboutHiddenButNotThePalette) {
    ASSERT_NE(program->About.loaded(), nullptr);
    EXPECT_FALSE(program->About.loaded()->Visible());
    EXPECT_FALSE(ui.shown(*program->About.loaded()));
    EXPECT_EQ(program->myPalette.loaded(), nullptr);
    EXPECT_NE(program->About.loaded()->Label1.Caption().find("Version 3.0"), std::string::npos);
}

TEST_F(VarnelTest, ActivationFromAnotherWindowRefillsThePreviewAndWipesTheTrail) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Palette);
    ASSERT_EQ(program->runtime.active_form(), program->myPalette.loaded());
    forms::SetPixel(f.Picture1.hDC(), 3, 3, forms::White);
    ASSERT_EQ(white_pixels(), 1);

    ui.focus(f);
    EXPECT_EQ(white_pixels(), 0);
    EXPECT_EQ(program->runtime.active_form(), &f);
}

TEST_F(VarnelTest, ComingBackFromAnotherProgramRaisesNothing) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Command1);
    ASSERT_TRUE(program->About->Visible());
    ui.focus(f);  // the About window closes: activation came from the program's own window
    EXPECT_FALSE(program->About->Visible());

    ui.click(f.Command1);
    forms::SetPixel(f.Picture1.hDC(), 3, 3, forms::White);
    ui.switch_to_other_program();
    ui.focus(*program->About.loaded());
    ui.switch_to_other_program();
    ui.focus(*program->About.loaded());
    EXPECT_TRUE(program->About.loaded()->Visible());
    EXPECT_EQ(white_pixels(), 1);
}

TEST_F(VarnelTest, ActivationClosesAShownAboutWindow) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Command1);
    varnel::About* about = program->About.loaded();
    ASSERT_TRUE(about->Visible());
    ASSERT_EQ(program->runtime.active_form(), about);

    ui.focus(f);
    EXPECT_EQ(program->About.loaded(), nullptr);

    // The next activation from another window of the program loads it again, hidden.
    ui.click(f.Palette);
    ui.focus(f);
    ASSERT_NE(program->About.loaded(), nullptr);
    EXPECT_FALSE(program->About.loaded()->Visible());
}

TEST_F(VarnelTest, EveryWayOfClosingAWindowHandsTheActivationBackToTheMainWindow) {
    varnel::Form_Varnel& f = main();
    const auto dots_then_back = [&](const std::function<void()>& close) {
        forms::SetPixel(f.Picture1.hDC(), 3, 3, forms::White);
        close();
        ui.focus(f);  // the system activates the window beneath
        return white_pixels() == 0 && program->About.loaded() != nullptr &&
               !program->About.loaded()->Visible();
    };
    EXPECT_TRUE(dots_then_back([&] {
        ui.click(f.Command1);
        ui.click(program->About.loaded()->Command1);  // its Close button
    }));
    EXPECT_TRUE(dots_then_back([&] {
        ui.click(f.Command1);
        ui.close(*program->About.loaded());  // its frame
    }));
    EXPECT_TRUE(dots_then_back([&] {
        ui.click(f.Palette);
        ui.close(*program->myPalette.loaded());
    }));
    EXPECT_TRUE(dots_then_back([&] {
        ui.click(f.Palette);
        ui.focus(*program->myPalette.loaded());
        ui.switch_to_other_program();
    }));
}

TEST_F(VarnelTest, ActivationWithAFieldThatIsNoNumberKeepsThePreview) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "200");
    ui.replace_text(f.Text2, "");
    ui.click(f.Palette);
    ui.focus(f);
    EXPECT_EQ(preview(), RGB(200, 0, 0));
    EXPECT_FALSE(ui.quit_requested());
}

TEST_F(VarnelTest, ClosingTheMainWindowUnloadsAboutThenThePaletteAndEnds) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Palette);
    ui.click(f.Command1);
    std::vector<std::string> order;
    program->About.loaded()->Unload = [&](int&) { order.push_back("About"); };
    program->myPalette.loaded()->Unload = [&](int&) { order.push_back("myPalette"); };

    ui.close(f);
    EXPECT_EQ(order, (std::vector<std::string>{"About", "myPalette"}));
    EXPECT_EQ(program->Form_Varnel.loaded(), nullptr);
    EXPECT_EQ(program->About.loaded(), nullptr);
    EXPECT_EQ(program->myPalette.loaded(), nullptr);
    EXPECT_TRUE(program->runtime.ended());
    EXPECT_TRUE(ui.quit_requested());
}

TEST_F(VarnelTest, ClosingWithoutEverOpeningThePaletteNeverLoadsIt) {
    ui.close(main());
    EXPECT_EQ(ui.windows_created(), 2);  // the main window and the hidden About window
    EXPECT_TRUE(ui.quit_requested());
}

TEST_F(VarnelTest, ClosingAboutOrThePaletteAloneKeepsRunning) {
    varnel::Form_Varnel& f = main();
    ui.click(f.Palette);
    ui.close(*program->myPalette.loaded());
    ui.click(f.Command1);
    ui.close(*program->About.loaded());
    EXPECT_FALSE(ui.quit_requested());
    EXPECT_EQ(program->myPalette.loaded(), nullptr);
    EXPECT_TRUE(f.Visible());
}

TEST_F(VarnelTest, OneKeystrokeCostsOneNativeUpdatePerControl) {
    varnel::Form_Varnel& f = main();
    record_writes();
    const int text4_before = ui.updates(f.Text4);
    const int preview_before = ui.updates(f.Picture1);
    ui.place_caret(f.Text1, 1);
    ui.type(f.Text1, "7");  // "07": the bar moves, the field is rewritten, print_color thrice
    EXPECT_GE(print_color_runs(), 2);
    EXPECT_EQ(ui.updates(f.Text4) - text4_before, 1);
    EXPECT_EQ(ui.updates(f.Picture1) - preview_before, 1);
}

}  // namespace
}  // namespace varnel_test
