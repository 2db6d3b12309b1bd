// The windows' design (the main window's in full) and the program icon, checked against the layout
// they must have.
#include <algorithm>

#include "app/program_icon.h"
#include "platform/forms/stacking.h"
#include "platform/forms/visit.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::ControlKind;

struct Row {
    const char* name;
    ControlKind kind;
    const char* caption;  // caption or text; "" for none
    forms::Bounds bounds;
    int tab_index;
};

const Row Layout[] = {
    {"Label1", ControlKind::Label, "by M. Vela", {2880, 2400, 855, 255}, 0},
    {"Text1", ControlKind::TextBox, "0", {2040, 360, 495, 375}, 1},
    {"Text2", ControlKind::TextBox, "0", {2640, 360, 495, 375}, 2},
    {"Text3", ControlKind::TextBox, "0", {3240, 360, 495, 375}, 3},
    {"Label2", ControlKind::Label, "Red", {2040, 120, 495, 255}, 4},
    {"Label3", ControlKind::Label, "Green", {2640, 120, 495, 255}, 5},
    {"Label4", ControlKind::Label, "Blue", {3240, 120, 495, 255}, 6},
    {"VScroll1", ControlKind::VScrollBar, "", {2160, 840, 255, 1335}, 7},
    {"VScroll2", ControlKind::VScrollBar, "", {2760, 840, 255, 1335}, 8},
    {"VScroll3", ControlKind::VScrollBar, "", {3360, 840, 255, 1335}, 9},
    {"Label5", ControlKind::Label, "HEX", {120, 1080, 495, 255}, 10},
    {"Text4", ControlKind::TextBox, "#000000", {600, 960, 1095, 375}, 11},
    {"Label6", ControlKind::Label, "", {2040, 720, 1695, 1575}, 12},
    {"Check1", ControlKind::CheckBox, "Ball", {120, 2280, 615, 375}, 13},
    {"Command1", ControlKind::CommandButton, "About", {2040, 2400, 735, 255}, 14},
    {"Picture1", ControlKind::PictureBox, "", {120, 120, 1575, 735}, 15},
    {"Palette", ControlKind::CommandButton, "Palette", {120, 1800, 1095, 375}, 16},
    {"Command2", ControlKind::CommandButton, "Copy to Clipboard", {120, 1440, 1575, 255}, 17},
};

std::string caption_of(const forms::Control& control) {
    return forms::visit(control,
                        forms::overloaded{
                            [](const forms::Label& label) { return label.Caption(); },
                            [](const forms::TextBox& box) { return box.Text(); },
                            [](const forms::CheckBox& box) { return box.Caption(); },
                            [](const forms::CommandButton& button) { return button.Caption(); },
                            // The others show no text of their own.
                            [](const forms::VScrollBar&) { return std::string(); },
                            [](const forms::PictureBox&) { return std::string(); },
                            [](const forms::Image&) { return std::string(); },
                            [](const forms::Timer&) { return std::string(); },
                        });
}

TEST_F(VarnelTest, TheMainWindowHasItsNineteenControlsWhereTheyBelong) {
    const varnel::Form_Varnel& f = main();
    EXPECT_EQ(f.client_width(), 3810);
    EXPECT_EQ(f.client_height(), 2760);
    EXPECT_EQ(f.Icon(), &varnel::program_icon());
    ASSERT_EQ(f.controls().size(), 19U);
    for (const Row& row : Layout) {
        const auto found =
            std::find_if(f.controls().begin(), f.controls().end(),
                         [&](const forms::Control* c) { return c->Name() == row.name; });
        ASSERT_NE(found, f.controls().end()) << row.name;
        const forms::Control& control = **found;
        EXPECT_EQ(control.kind(), row.kind) << row.name;
        EXPECT_EQ(caption_of(control), row.caption) << row.name;
        EXPECT_EQ(control.bounds(), row.bounds) << row.name;
        EXPECT_EQ(control.TabIndex(), row.tab_index) << row.name;
    }
    EXPECT_EQ(f.Timer1.kind(), ControlKind::Timer);
}

TEST_F(VarnelTest, TabVisitsTheControlsInTabIndexOrderAndLabelsLieBeneath) {
    const forms::Stacking stacking = forms::stacking(main());
    std::vector<std::string> tab_stops;
    for (const forms::Control* control : stacking.above) {
        EXPECT_NE(control->kind(), ControlKind::Label) << control->Name();
        if (control->takes_focus()) tab_stops.push_back(control->Name());
    }
    // The preview box only shows: Tab passes it by.
    EXPECT_EQ(tab_stops, (std::vector<std::string>{"Text1", "Text2", "Text3", "VScroll1",
                                                   "VScroll2", "VScroll3", "Text4", "Check1",
                                                   "Command1", "Palette", "Command2"}));
    std::vector<std::string> beneath;
    for (const forms::Control* control : stacking.beneath) beneath.push_back(control->Name());
    EXPECT_EQ(beneath, (std::vector<std::string>{"Label1", "Label2", "Label3", "Label4", "Label5",
                                                 "Label6"}));
}

// Every window's controls lie inside its client area, and only those that lie beneath (labels
// and images) overlap another control. Every place and size is a whole number of pixels at 15
// twips per pixel, so that no edge depends on rounding; all but the palette's box, whose odd
// size hides the spectrum's last columns and rows under its border.
TEST_F(VarnelTest, ControlsFitTheirWindowsInWholePixelsAndOnlyThoseBeneathOverlap) {
    ui.click(main().Palette);
    ui.click(main().Command1);
    ASSERT_EQ(program->runtime.loaded_forms().size(), 3U);
    const auto whole_pixels = [](std::initializer_list<int> twips) {
        return std::ranges::all_of(twips, [](int t) { return t % forms::TwipsPerPixel == 0; });
    };
    const auto overlap = [](const forms::Bounds& a, const forms::Bounds& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    for (const forms::Form* form : program->runtime.loaded_forms()) {
        const forms::Stacking stacking = forms::stacking(*form);
        EXPECT_TRUE(whole_pixels({form->client_width(), form->client_height()})) << form->Caption();
        for (const forms::Control* control : form->controls()) {
            if (control->kind() == ControlKind::Timer) continue;
            const forms::Bounds& b = control->bounds();
            EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.left + b.width <= form->client_width() &&
                        b.top + b.height <= form->client_height())
                << form->Caption() << " " << control->Name();
            if (control != &program->myPalette.loaded()->Picture2) {
                EXPECT_TRUE(whole_pixels({b.left, b.top, b.width, b.height}))
                    << form->Caption() << " " << control->Name();
            }
        }
        for (const forms::Control* a : stacking.above) {
            for (const forms::Control* b : stacking.above) {
                if (a == b || a->kind() == ControlKind::Timer || b->kind() == ControlKind::Timer)
                    continue;
                EXPECT_FALSE(overlap(a->bounds(), b->bounds())) << a->Name() << " " << b->Name();
            }
        }
    }
}

TEST_F(VarnelTest, TheGreyPanelReachesEightPixelsBeyondTheScrollBars) {
    const varnel::Form_Varnel& f = main();
    EXPECT_EQ(f.VScroll1.Left() - f.Label6.Left(), 120);
    EXPECT_EQ(f.VScroll1.Top() - f.Label6.Top(), 120);
    EXPECT_EQ(f.Label6.Left() + f.Label6.Width() - (f.VScroll3.Left() + f.VScroll3.Width()), 120);
    EXPECT_EQ(f.Label6.Top() + f.Label6.Height() - (f.VScroll3.Top() + f.VScroll3.Height()), 120);
}

// The icon's discs, each filling the square of columns and rows given here.
struct Disc {
    int x0, x1, y0, y1;
    forms::ColourValue colour;
};

TEST(ProgramIcon, ThreeDiscsOnATransparentGround) {
    const forms::Icon& icon = varnel::program_icon();
    const Disc discs[] = {{3, 15, 2, 14, forms::RGB(255, 0, 0)},
                          {16, 29, 9, 22, forms::RGB(0, 128, 0)},
                          {2, 13, 18, 29, forms::RGB(0, 0, 255)}};
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) opaque += !icon.transparent(x, y);
    }
    int in_discs = 0;
    for (const Disc& disc : discs) {
        int left = 32, right = -1, top = 32, bottom = -1;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (icon.transparent(x, y) || forms::StandardPalette[icon.at(x, y)] != disc.colour)
                    continue;
                ++in_discs;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        EXPECT_EQ(left, disc.x0);
        EXPECT_EQ(right, disc.x1);
        EXPECT_EQ(top, disc.y0);
        EXPECT_EQ(bottom, disc.y1);
        // Filled: the centre row runs unbroken from edge to edge, the corners stay clear.
        const int cy = (disc.y0 + disc.y1) / 2;
        for (int x = disc.x0; x <= disc.x1; ++x) EXPECT_FALSE(icon.transparent(x, cy));
        EXPECT_TRUE(icon.transparent(disc.x0, disc.y0));
        EXPECT_TRUE(icon.transparent(disc.x1, disc.y1));
    }
    EXPECT_EQ(opaque, in_discs);  // nothing but the discs is drawn
    EXPECT_TRUE(icon.transparent(0, 0));
    EXPECT_TRUE(icon.transparent(31, 31));
}

}  // namespace
}  // namespace varnel_test
