// print_color and the hex code; typing a code and pressing Enter; copying it.
#include <array>

#include "platform/forms/message_box_style.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::RGB;
using Writes = std::vector<std::string>;

class HexCodeTest : public VarnelTest {
protected:
    // Sets the three fields the way a user does, and returns the hex code shown.
    std::string show(const char* red, const char* green, const char* blue) {
        ui.replace_text(main().Text1, red);
        ui.replace_text(main().Text2, green);
        ui.replace_text(main().Text3, blue);
        return main().Text4.Text();
    }

    void enter_code(const std::string& code) {
        ui.replace_text(main().Text4, code);
        ui.press_enter(main().Text4);
    }
};

TEST_F(HexCodeTest, CodesOfTypicalColours) {
    EXPECT_EQ(show("255", "255", "255"), "#FFFFFF");
    EXPECT_EQ(show("0", "0", "0"), "#000000");
    EXPECT_EQ(show("15", "16", "1"), "#0F1001");
    EXPECT_EQ(show("10", "0", "171"), "#0A00AB");
    EXPECT_EQ(preview(), RGB(10, 0, 171));
}

TEST_F(HexCodeTest, TheCodeIsWrittenPieceByPiece) {
    show("10", "0", "0");
    record_writes();
    ui.replace_text(main().Text3, "171");
    const Writes pieces = {"Text4=#",    "Text4=#0",    "Text4=#0A",
                           "Text4=#0A0", "Text4=#0A00", "Text4=#0A00AB"};
    EXPECT_EQ(Writes(writes.end() - 6, writes.end()), pieces);
}

TEST_F(HexCodeTest, FieldsAreRoundedHalvesToEven) {
    ui.replace_text(main().Text1, "");
    ui.type(main().Text1, "12.5");
    EXPECT_EQ(main().Text4.Text(), "#0C0000");
    EXPECT_EQ(preview(), RGB(12, 0, 0));
    ui.replace_text(main().Text1, "");
    ui.type(main().Text1, "13.5");
    EXPECT_EQ(main().Text4.Text(), "#0E0000");
    ui.replace_text(main().Text1, "007");
    EXPECT_EQ(main().Text4.Text(), "#070000");
}

// A field holding "15.6" while its bar already stands at 16 (pasted over "16") counts as 16.
// Deciding the "0" padding on the number as read would give "#0100000", eight characters.
TEST_F(HexCodeTest, PaddingIsDecidedOnTheRoundedChannel) {
    show("16", "0", "0");
    ui.replace_text(main().Text1, "15.6");
    EXPECT_EQ(main().Text1.Text(), "15.6");
    EXPECT_EQ(main().Text4.Text(), "#100000");
    ui.replace_text(main().Text2, "15.6");
    EXPECT_EQ(main().Text4.Text(), "#101000");
}

TEST_F(HexCodeTest, AnUnreadableFieldLeavesTheDisplayAsItWas) {
    const std::array<forms::TextBox*, 3> fields = {&main().Text1, &main().Text2, &main().Text3};
    record_writes();
    for (std::size_t unreadable = 0; unreadable < fields.size(); ++unreadable) {
        SCOPED_TRACE(fields[unreadable]->Name());
        show("1", "2", "3");
        ui.replace_text(*fields[unreadable], "");
        writes.clear();
        for (std::size_t other = 0; other < fields.size(); ++other) {
            if (other != unreadable) ui.replace_text(*fields[other], "100");
        }
        EXPECT_EQ(print_color_runs(), 0);
        EXPECT_EQ(main().Text4.Text(), "#010203");
        EXPECT_EQ(preview(), RGB(1, 2, 3));
    }
}

TEST_F(HexCodeTest, EveryRunWipesTheTrail) {
    show("5", "5", "5");
    forms::SetPixel(main().Picture1.hDC(), 4, 4, forms::White);
    main().print_color();
    EXPECT_EQ(white_pixels(), 0);
}

TEST_F(HexCodeTest, EnterSetsAllThreeChannels) {
    enter_code("#FF8000");
    EXPECT_EQ(main().Text1.Text(), "255");
    EXPECT_EQ(main().Text2.Text(), "128");
    EXPECT_EQ(main().Text3.Text(), "0");
    EXPECT_EQ(main().VScroll1.Value(), 255);
    EXPECT_EQ(main().VScroll2.Value(), 128);
    EXPECT_EQ(main().VScroll3.Value(), 0);
    EXPECT_EQ(main().Text4.Text(), "#FF8000");
    EXPECT_EQ(preview(), RGB(255, 128, 0));
}

TEST_F(HexCodeTest, TheCodeIsReadBeforeTheFirstFieldRewritesIt) {
    enter_code("#F80");
    EXPECT_EQ(main().Text4.Text(), "#F80000");
    enter_code("##12#34#56");
    EXPECT_EQ(main().Text4.Text(), "#123456");
    enter_code("#1G2233");
    EXPECT_EQ(main().Text4.Text(), "#012233");
    enter_code("#FF 800");
    EXPECT_EQ(main().Text4.Text(), "#FF0800");
}

TEST_F(HexCodeTest, LowerCaseIsRewrittenUnlessNothingChanges) {
    enter_code("ff8000");
    EXPECT_EQ(main().Text4.Text(), "#FF8000");
    enter_code("ff8000");  // the fields already hold 255, 128, 0: nothing is written
    EXPECT_EQ(main().Text4.Text(), "ff8000");
}

TEST_F(HexCodeTest, KeysOtherThanEnterChangeNothing) {
    record_writes();
    ui.place_caret(main().Text4, 7);
    ui.type(main().Text4, "12");
    EXPECT_EQ(main().Text4.Text(), "#00000012");
    EXPECT_EQ(main().Text1.Text(), "0");
    EXPECT_EQ(print_color_runs(), 0);
}

TEST_F(HexCodeTest, CopyPlacesTheFieldsTextAsItStands) {
    show("255", "128", "0");
    ui.click(main().Command2);
    EXPECT_EQ(ui.clipboard(), "#FF8000");
    ui.replace_text(main().Text4, "typed, not entered");
    ui.click(main().Command2);
    EXPECT_EQ(ui.clipboard(), "typed, not entered");
    EXPECT_TRUE(ui.message_boxes().empty());
}

// When another program keeps the clipboard open, copying reports it and the program goes on
// (an untrapped clipboard error would end it).
TEST_F(HexCodeTest, ABusyClipboardIsReportedAndTheProgramKeepsRunning) {
    ui.hold_clipboard(true);
    ui.click(main().Command2);
    ASSERT_EQ(ui.message_boxes().size(), 1U);
    EXPECT_EQ(ui.message_boxes()[0].title, "ERROR");
    EXPECT_EQ(ui.message_boxes()[0].style, forms::Critical);
    EXPECT_NE(ui.message_boxes()[0].text.find("in use by another program"), std::string::npos);
    EXPECT_FALSE(program->runtime.ended());
    EXPECT_FALSE(ui.clipboard().has_value());

    ui.hold_clipboard(false);
    ui.click(main().Command2);
    EXPECT_EQ(ui.clipboard(), "#000000");
}

}  // namespace
}  // namespace varnel_test
