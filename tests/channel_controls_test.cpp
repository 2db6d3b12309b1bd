// The decimal fields and scroll bars of the three channels: the handler chains, refusals and
// the texts they fall back to.
#include "platform/forms/message_box_style.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::RGB;
using Writes = std::vector<std::string>;

const std::string Refusal = "Field can be from 0 to 255";

TEST_F(VarnelTest, TypingTwoFiveSixRefusesTheLastKey) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "");
    ui.type(f.Text1, "25");
    EXPECT_EQ(f.VScroll1.Value(), 25);
    EXPECT_TRUE(ui.message_boxes().empty());

    ui.type(f.Text1, "6");
    ASSERT_EQ(ui.message_boxes().size(), 1U);
    EXPECT_EQ(ui.message_boxes()[0].text, Refusal);
    EXPECT_EQ(ui.message_boxes()[0].title, "ERROR");
    EXPECT_EQ(ui.message_boxes()[0].style, forms::Critical);
    EXPECT_EQ(f.Text1.Text(), "25");
    EXPECT_EQ(f.VScroll1.Value(), 25);
    EXPECT_EQ(f.last_red, "25");
    EXPECT_EQ(f.Text4.Text(), "#190000");
    EXPECT_EQ(preview(), RGB(25, 0, 0));
}

TEST_F(VarnelTest, TheFieldIsRestoredBeforeTheDisplayIsRebuilt) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "25");
    record_writes();
    std::vector<Writes> seen_at_box;
    ui.on_message_box = [&](const auto&) { seen_at_box.push_back(writes); };
    ui.type(f.Text1, "6");
    EXPECT_EQ(seen_at_box, (std::vector<Writes>{{"Text1=256"}}));
    const Writes display = {"Text4=#",     "Text4=#19",    "Text4=#190",
                            "Text4=#1900", "Text4=#19000", "Text4=#190000"};
    Writes expected = {"Text1=256", "Text1=25"};
    expected.insert(expected.end(), display.begin(), display.end());  // the nested pass
    expected.insert(expected.end(), display.begin(), display.end());  // the refusing pass
    EXPECT_EQ(writes, expected);
}

TEST_F(VarnelTest, MinusFiveFallsBackToTheUnreadableMinus) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text2, "40");
    ui.replace_text(f.Text2, "");
    record_writes();
    ui.type(f.Text2, "-");
    EXPECT_EQ(f.last_green, "-");
    EXPECT_EQ(print_color_runs(), 0);
    ui.type(f.Text2, "5");
    EXPECT_EQ(box_texts(), Writes{Refusal});
    EXPECT_EQ(f.Text2.Text(), "-");
    EXPECT_EQ(f.VScroll2.Value(), 40);
    EXPECT_EQ(print_color_runs(), 0);
    EXPECT_EQ(preview(), RGB(0, 40, 0));
    EXPECT_EQ(f.Text4.Text(), "#002800");
}

TEST_F(VarnelTest, PastingOutOfRangeIntoAClearedFieldEmptiesItAgain) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text3, "");
    ui.replace_text(f.Text3, "300");
    EXPECT_EQ(box_texts(), Writes{Refusal});
    EXPECT_EQ(f.Text3.Text(), "");
    EXPECT_EQ(f.last_blue, "");
}

TEST_F(VarnelTest, BoundsOfTheAcceptedRange) {
    varnel::Form_Varnel& f = main();
    for (const char* refused : {"255.4", "-0.4", "256", "1e3", "-1"}) {
        ui.replace_text(f.Text1, "9");
        ui.replace_text(f.Text1, refused);
        EXPECT_EQ(f.Text1.Text(), "9") << refused;
    }
    EXPECT_EQ(ui.message_boxes().size(), 5U);

    const std::pair<const char*, int> accepted[] = {{"255.0", 255}, {"0.4", 0}, {"1e2", 100}};
    for (const auto& [text, value] : accepted) {
        ui.replace_text(f.Text1, "9");
        ui.replace_text(f.Text1, text);
        EXPECT_EQ(f.VScroll1.Value(), value) << text;
    }
    EXPECT_EQ(ui.message_boxes().size(), 5U);
}

TEST_F(VarnelTest, AcceptedNumbersAreRewrittenOnlyWhenTheBarMoves) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "20");
    ui.replace_text(f.Text1, "12.5");  // pasted: the bar moves to 12 and rewrites the field
    EXPECT_EQ(f.Text1.Text(), "12");
    EXPECT_EQ(f.VScroll1.Value(), 12);

    ui.replace_text(f.Text1, "");
    ui.type(f.Text1, "12.5");  // typed: the bar stands at 12 after "12", nothing rewrites
    EXPECT_EQ(f.Text1.Text(), "12.5");
    EXPECT_EQ(f.VScroll1.Value(), 12);
    EXPECT_EQ(f.last_red, "12.5");
    EXPECT_EQ(f.Text4.Text(), "#0C0000");

    ui.replace_text(f.Text1, "7");
    ui.replace_text(f.Text1, "07");  // a leading zero: same value, the field keeps it
    EXPECT_EQ(f.Text1.Text(), "07");
}

TEST_F(VarnelTest, TypingSevenAfterTwoZerosRunsTheChainOfThree) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "00");
    record_writes();
    ui.type(f.Text1, "7");
    EXPECT_EQ(f.Text1.Text(), "7");
    EXPECT_EQ(f.last_red, "7");
    EXPECT_EQ(print_color_runs(), 3);
    // The field's text, the bar, the rewritten text, then the three displays.
    EXPECT_EQ(Writes(writes.begin(), writes.begin() + 3),
              (Writes{"Text1=007", "VScroll1=7", "Text1=7"}));
}

TEST_F(VarnelTest, DigitsTypedAfterARewriteLandAfterIt) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "");
    // After "007" the program rewrites the field as "7"; the caret follows to its end.
    ui.type(f.Text1, "0075");
    EXPECT_EQ(f.Text1.Text(), "75");
    EXPECT_EQ(ui.caret(f.Text1), 2U);
    EXPECT_EQ(f.Text4.Text(), "#4B0000");
    // After a refusal the caret stands at the end of the restored text.
    ui.type(f.Text1, "9");
    EXPECT_EQ(f.Text1.Text(), "75");
    EXPECT_EQ(ui.caret(f.Text1), 2U);
    EXPECT_EQ(ui.message_boxes().size(), 1U);
}

TEST_F(VarnelTest, TheCaretStaysWhereTheUserPutItWhenNothingIsRewritten) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "5");
    ui.place_caret(f.Text1, 0);
    ui.type(f.Text1, "2");  // "25": accepted as typed, not rewritten
    EXPECT_EQ(f.Text1.Text(), "25");
    EXPECT_EQ(ui.caret(f.Text1), 1U);
    ui.type(f.Text1, "0");
    EXPECT_EQ(f.Text1.Text(), "205");
    EXPECT_EQ(f.VScroll1.Value(), 205);
}

TEST_F(VarnelTest, AFieldTakesAnyLengthOfText) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, std::string(39997, '0') + "255");
    EXPECT_EQ(f.VScroll1.Value(), 255);
    EXPECT_EQ(f.Text1.Text(), "255");
    EXPECT_TRUE(ui.message_boxes().empty());
}

TEST_F(VarnelTest, ALongPastedNumberReachesTheNativeFieldOnlyAsItsRewrittenValue) {
    varnel::Form_Varnel& f = main();
    const int updates = ui.updates(f.Text1);
    const int bar_updates = ui.updates(f.VScroll1);
    ui.replace_text(f.Text1, std::string(std::size_t{1} << 20, '0') + "25");
    EXPECT_EQ(f.Text1.Text(), "25");
    EXPECT_EQ(ui.updates(f.Text1), updates + 1);         // "25", once
    EXPECT_EQ(ui.updates(f.VScroll1), bar_updates + 1);  // and the bar moves to 25
    // Typed over, the field and the channel's last text keep no storage of the long text.
    ui.replace_text(f.Text1, "");
    ui.type(f.Text1, "12");
    EXPECT_EQ(f.Text4.Text(), "#0C0000");
    EXPECT_LT(f.Text1.Text().capacity(), 64U);
    EXPECT_LT(f.last_red.capacity(), 64U);
}

TEST_F(VarnelTest, TypingAZeroAfterTenRunsPrintColorTwice) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text1, "10");
    record_writes();
    ui.type(f.Text1, "0");
    EXPECT_EQ(f.VScroll1.Value(), 100);
    EXPECT_EQ(print_color_runs(), 2);
}

TEST_F(VarnelTest, DraggingAThumbRewritesItsFieldOnEveryMove) {
    varnel::Form_Varnel& f = main();
    record_writes();
    const int bar_updates = ui.updates(f.VScroll2);
    ui.drag_thumb(f.VScroll2, {41, 42});
    EXPECT_EQ(f.Text2.Text(), "42");
    // The native bar is told each value: a system's bar may not keep the thumb where it was
    // dragged unless told.
    EXPECT_EQ(ui.updates(f.VScroll2), bar_updates + 2);
    // Two moves of two print_color runs each, then the release: one more.
    EXPECT_EQ(print_color_runs(), 5);
    EXPECT_EQ(f.Text4.Text(), "#002A00");
    EXPECT_EQ(f.Text1.Text(), "0");
    EXPECT_EQ(f.Text3.Text(), "0");
}

TEST_F(VarnelTest, ArrowStepsStopAtBothEnds) {
    varnel::Form_Varnel& f = main();
    ui.scroll(f.VScroll3, forms::ScrollAction::LineUp);
    EXPECT_EQ(f.VScroll3.Value(), 0);
    ui.scroll(f.VScroll3, forms::ScrollAction::LineDown);
    EXPECT_EQ(f.Text3.Text(), "1");
    EXPECT_EQ(f.Text4.Text(), "#000001");
    // A click in the trough steps by one too.
    ui.scroll(f.VScroll3, forms::ScrollAction::PageDown);
    EXPECT_EQ(f.Text3.Text(), "2");
    ui.scroll(f.VScroll3, forms::ScrollAction::PageUp);
    EXPECT_EQ(f.Text3.Text(), "1");
    ui.drag_thumb(f.VScroll3, {255});
    ui.scroll(f.VScroll3, forms::ScrollAction::LineDown);
    EXPECT_EQ(f.VScroll3.Value(), 255);
    EXPECT_EQ(f.Text3.Text(), "255");
}

TEST_F(VarnelTest, AChannelNeverTouchesTheOtherChannelsControls) {
    varnel::Form_Varnel& f = main();
    ui.replace_text(f.Text2, "");  // green unreadable
    record_writes();
    ui.scroll(f.VScroll1, forms::ScrollAction::LineDown);
    for (const std::string& write : writes) {
        EXPECT_TRUE(write.starts_with("Text1=") || write.starts_with("VScroll1=")) << write;
    }
    EXPECT_EQ(f.Text2.Text(), "");
}

}  // namespace
}  // namespace varnel_test
