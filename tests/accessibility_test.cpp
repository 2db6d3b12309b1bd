// What a screen reader is told of the three windows: names, roles, values, relations, the
// events that follow a change, and the buttons' actions.
#include <algorithm>
#include <deque>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/visit.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

using forms::Accessible;
using forms::AccessibleChange;
using forms::AccessibleRole;

class AccessibilityTest : public VarnelTest {
protected:
    // The one control of the window that a screen reader calls by this name and role.
    const Accessible& named(const forms::Form& form, AccessibleRole role, const std::string& name) {
        const forms::AccessibleWindow window = forms::describe(form);
        std::vector<Accessible> found;
        std::ranges::copy_if(window.controls, std::back_inserter(found),
                             [&](const Accessible& a) { return a.role == role && a.name == name; });
        if (found.size() != 1) {
            ADD_FAILURE() << found.size() << " controls named " << name;
            static const Accessible none;
            return none;
        }
        kept_.push_back(found.front());
        return kept_.back();
    }
    // The control a screen reader's entry stands for, as the program holds it.
    template <class T>
    T& control_of(const Accessible& entry) {
        if (forms::Control* control = program->runtime.find_control(entry.control)) {
            return *forms::control_cast<T>(*control);
        }
        throw std::logic_error("no such control");
    }

    // (role, name) of every control told of, in order.
    static std::vector<std::pair<AccessibleRole, std::string>> read_out(const forms::Form& form) {
        std::vector<std::pair<AccessibleRole, std::string>> read;
        for (const Accessible& a : forms::describe(form).controls)
            read.emplace_back(a.role, a.name);
        return read;
    }

    // What a screen reader is told while the action runs.
    template <class Action>
    std::vector<forms::AccessibleEvent> events_of(const forms::Form& form, Action&& action) {
        const forms::AccessibleWindow before = forms::describe(form);
        std::forward<Action>(action)();
        return forms::events_between(before, forms::describe(form));
    }

    varnel::About& about() { return *program->About.loaded(); }

private:
    std::deque<Accessible> kept_;
};

TEST_F(AccessibilityTest, EachFieldAndBarIsNamedAfterTheChannelItSets) {
    // Found by name alone, each field and bar sets the channel it is named after.
    for (const auto& [name, hex] : {std::pair{"Red", "#0C0000"}, std::pair{"Green", "#000C00"},
                                    std::pair{"Blue", "#00000C"}}) {
        auto& field = control_of<forms::TextBox>(named(main(), AccessibleRole::EditableText, name));
        ui.replace_text(field, "12");
        EXPECT_EQ(main().Text4.Text(), hex) << name;
        ui.replace_text(field, "0");
        auto& bar = control_of<forms::VScrollBar>(named(main(), AccessibleRole::ScrollBar, name));
        ui.drag_thumb(bar, {12});
        EXPECT_EQ(main().Text4.Text(), hex) << name;
        ui.drag_thumb(bar, {0});
    }
    EXPECT_EQ(named(main(), AccessibleRole::EditableText, "HEX").control, main().Text4.id());
}

TEST_F(AccessibilityTest, FieldsAndBarsReadTheirValuesAndRanges) {
    ui.type(main().Text1, "12");
    const Accessible& field = named(main(), AccessibleRole::EditableText, "Red");
    EXPECT_EQ(field.text, "12");
    EXPECT_TRUE(field.focusable);
    const Accessible& bar = named(main(), AccessibleRole::ScrollBar, "Red");
    ASSERT_TRUE(bar.range.has_value());
    EXPECT_EQ(*bar.range, (forms::AccessibleRange{12, 0, 255}));
    EXPECT_EQ(named(main(), AccessibleRole::EditableText, "HEX").text, "#0C0000");
}

TEST_F(AccessibilityTest, TheMainWindowReadsAsItLooks) {
    const forms::AccessibleWindow window = forms::describe(main());
    EXPECT_EQ(window.name, "Varnel v3.0");
    EXPECT_TRUE(window.shown);
    using R = AccessibleRole;
    // The labels and fields in the design's order; the empty grey panel and the timer are not
    // told of.
    EXPECT_EQ(read_out(main()), (std::vector<std::pair<R, std::string>>{
                                    {R::StaticText, main().Label1.Caption()},
                                    {R::EditableText, "Red"},
                                    {R::EditableText, "Green"},
                                    {R::EditableText, "Blue"},
                                    {R::StaticText, "Red"},
                                    {R::StaticText, "Green"},
                                    {R::StaticText, "Blue"},
                                    {R::ScrollBar, "Red"},
                                    {R::ScrollBar, "Green"},
                                    {R::ScrollBar, "Blue"},
                                    {R::StaticText, "HEX"},
                                    {R::EditableText, "HEX"},
                                    {R::CheckBox, "Ball"},
                                    {R::PushButton, "About"},
                                    {R::Graphic, "Preview"},
                                    {R::PushButton, "Palette"},
                                    {R::PushButton, "Copy to Clipboard"},
                                }));
    EXPECT_EQ(window.find(main().Label6), nullptr);
    EXPECT_EQ(window.find(main().Timer1), nullptr);
    // Tab stops at what the keyboard works, never at a text or a picture to read.
    for (const Accessible& a : window.controls) {
        const bool only_read = a.role == R::StaticText || a.role == R::Graphic;
        EXPECT_EQ(a.focusable, !only_read) << a.name;
    }
}

TEST_F(AccessibilityTest, LabelsAreTiedToWhatTheyName) {
    const forms::AccessibleWindow window = forms::describe(main());
    const Accessible& red = *window.find(main().Label2);
    EXPECT_EQ(red.label_for,
              (std::vector<forms::ObjectId>{main().Text1.id(), main().VScroll1.id()}));
    EXPECT_EQ(window.find(main().Text1)->labelled_by, main().Label2.id());
    EXPECT_EQ(window.find(main().VScroll3)->labelled_by, main().Label4.id());
    // HEX stands left of its field, its last column beneath the field's first.
    EXPECT_EQ(window.find(main().Text4)->labelled_by, main().Label5.id());
    EXPECT_EQ(window.find(main().Label5)->label_for,
              (std::vector<forms::ObjectId>{main().Text4.id()}));
    // The credit line and the buttons name nothing and are named by nothing.
    EXPECT_TRUE(window.find(main().Label1)->label_for.empty());
    EXPECT_EQ(window.find(main().Command2)->labelled_by, forms::NoObject);
}

// The rule behind those names, on a window of its own: of the labels standing above a field or
// on its left, the nearest names it; a label over the field's own width names nothing.
TEST_F(AccessibilityTest, TheNearestLabelAboveOrLeftNamesAField) {
    forms::Form form(program->runtime, {"Labels", 4500, 4500, nullptr});
    const forms::TextBox field(form, "Field", {1500, 1500, 900, 375}, 0, "");
    const forms::Label farther(form, "Far", {1500, 300, 900, 255}, 1, "Far");    // 2145 above
    const forms::Label nearer(form, "Near", {1500, 1050, 900, 255}, 2, "Near");  // 645 above
    const forms::Label left(form, "Left", {600, 1560, 800, 255}, 3, "Left");     // 1000 left
    // Under the first field: Near stands 2445 above it, Beside 1000 on its left.
    const forms::TextBox below(form, "Below", {1500, 2400, 900, 375}, 4, "");
    const forms::Label beside(form, "Beside", {600, 2460, 800, 255}, 5, "Beside");
    const forms::TextBox lone(form, "Lone", {3000, 3600, 900, 375}, 6, "");
    const forms::Label over(form, "Over", {3300, 3660, 450, 255}, 7, "Over");  // on its right half
    // Nearer than Near above the first field, but not over its middle: neither names it.
    const forms::Label right_half(form, "RightHalf", {2100, 1200, 600, 255}, 8, "Right half");
    const forms::Label to_middle(form, "ToMiddle", {1050, 1200, 900, 255}, 9, "To the middle");
    // A label that starts at a field's middle stands over it.
    const forms::TextBox centred(form, "Centred", {300, 3600, 900, 375}, 10, "");
    const forms::Label from_middle(form, "FromMiddle", {750, 3200, 600, 255}, 11,
                                   "From the middle");
    // A label on the left that starts halfway down a field stands beside it; one whose middle
    // lies on the field's left edge does not stand on its left.
    const forms::TextBox level(form, "Level", {3300, 300, 900, 390}, 12, "");
    const forms::Label halfway(form, "Halfway", {2400, 495, 800, 255}, 13, "Halfway");
    const forms::Label on_edge(form, "OnEdge", {3200, 450, 200, 255}, 14, "Edge");
    const forms::AccessibleWindow window = forms::describe(form);
    EXPECT_EQ(window.find(field)->labelled_by, nearer.id());
    EXPECT_EQ(window.find(below)->labelled_by, beside.id());
    EXPECT_EQ(window.find(lone)->labelled_by, forms::NoObject);
    EXPECT_EQ(window.find(centred)->labelled_by, from_middle.id());
    EXPECT_EQ(window.find(level)->labelled_by, halfway.id());
    EXPECT_TRUE(window.find(on_edge)->label_for.empty());
    EXPECT_TRUE(window.find(farther)->label_for.empty());
    EXPECT_TRUE(window.find(left)->label_for.empty());
    EXPECT_TRUE(window.find(over)->label_for.empty());
    EXPECT_TRUE(window.find(right_half)->label_for.empty());
    EXPECT_TRUE(window.find(to_middle)->label_for.empty());
}

// Letters in one display font on one line read as one word, also where a letter shares the
// line only with another letter of the word.
TEST_F(AccessibilityTest, LettersLinkedThroughOneAnotherReadAsOneWord) {
    forms::Form form(program->runtime, {"Word", 1500, 1500, nullptr});
    forms::Label first(form, "First", {0, 0, 300, 300}, 0, "V");
    forms::Label last(form, "Last", {600, 500, 300, 300}, 1, "r");  // beside the middle one only
    forms::Label middle(form, "Middle", {300, 250, 300, 300}, 2, "a");
    forms::Label under(form, "Under", {600, 800, 300, 300}, 3, "x");  // touches the last only
    const forms::Font display{"MS Sans Serif", 24, 400, 204};
    for (forms::Label* letter : {&first, &last, &middle, &under}) letter->Font(display);
    const forms::AccessibleWindow window = forms::describe(form);
    EXPECT_EQ(window.find(first)->text, "Var");
    EXPECT_EQ(window.find(under)->text, "x");
    EXPECT_EQ(window.find(middle), nullptr);
    EXPECT_EQ(window.find(last), nullptr);
}

TEST_F(AccessibilityTest, TheCheckBoxReadsItsState) {
    EXPECT_EQ(named(main(), AccessibleRole::CheckBox, "Ball").check, forms::CheckState::Unchecked);
    ui.click(main().Check1);
    EXPECT_EQ(named(main(), AccessibleRole::CheckBox, "Ball").check, forms::CheckState::Checked);
    main().Check1.Value(2);
    EXPECT_EQ(named(main(), AccessibleRole::CheckBox, "Ball").check, forms::CheckState::Mixed);
}

TEST_F(AccessibilityTest, TheAboutWindowReadsItsTitleAsOneWord) {
    ui.click(main().Command1);
    using R = AccessibleRole;
    EXPECT_EQ(forms::describe(about()).name, "About");
    // The title, the credits, the button and the two pictures, each once.
    const std::vector<std::pair<R, std::string>> read = read_out(about());
    ASSERT_EQ(read.size(), 5U);
    EXPECT_EQ(std::ranges::count(read, R::Graphic, &std::pair<R, std::string>::first), 2);
    const forms::AccessibleWindow window = forms::describe(about());
    for (const Accessible& a : window.controls) {
        EXPECT_EQ(a.focusable, a.role == R::PushButton) << a.name;  // Close only
    }
    const Accessible& title = *window.find(about().Label2);
    EXPECT_EQ(title.name, "Varnel");
    EXPECT_EQ(title.text, "Varnel");
    for (const forms::Label* letter : {&about().Label3, &about().Label4, &about().Label5}) {
        EXPECT_EQ(window.find(*letter), nullptr) << letter->Name();
    }
    // The credits read as four lines.
    const std::string& credits = window.find(about().Label1)->text;
    EXPECT_EQ(std::ranges::count(credits, '\n'), 3);
    EXPECT_EQ(credits.substr(0, 12), "Version 3.0\n");
    EXPECT_EQ(window.find(about().Image1)->role, R::Graphic);
    EXPECT_FALSE(window.find(about().Image1)->name.empty());
    EXPECT_EQ(window.find(about().Image2)->role, R::Graphic);
    EXPECT_FALSE(window.find(about().Image2)->name.empty());
    EXPECT_NE(window.find(about().Image1)->name, window.find(about().Image2)->name);
    EXPECT_EQ(named(about(), R::PushButton, "Close").control, about().Command1.id());
}

TEST_F(AccessibilityTest, ThePaletteIsASpectrumToLookAt) {
    ui.click(main().Palette);
    const forms::AccessibleWindow window = forms::describe(*program->myPalette);
    EXPECT_EQ(window.name, "myPalette");
    ASSERT_EQ(window.controls.size(), 1U);
    EXPECT_EQ(window.controls[0].role, AccessibleRole::Graphic);
    EXPECT_EQ(window.controls[0].name, "Spectrum");
    EXPECT_FALSE(window.controls[0].focusable);
}

// One user action tells each change once, as it stands when the action is over: the hex code
// passes through "#", "#0", ... but is told of once.
TEST_F(AccessibilityTest, TypingTellsOfTheFieldItsBarAndTheHexCode) {
    const auto events = events_of(main(), [&] { ui.type(main().Text1, "2"); });
    EXPECT_EQ(events, (std::vector<forms::AccessibleEvent>{
                          {AccessibleChange::TextChanged, main().Text1.id()},
                          {AccessibleChange::ValueChanged, main().VScroll1.id()},
                          {AccessibleChange::TextChanged, main().Text4.id()},
                      }));
}

TEST_F(AccessibilityTest, ScrollingAndCheckingTellOfWhatChanged) {
    const auto scrolled =
        events_of(main(), [&] { ui.scroll(main().VScroll2, forms::ScrollAction::LineDown); });
    EXPECT_EQ(scrolled, (std::vector<forms::AccessibleEvent>{
                            {AccessibleChange::TextChanged, main().Text2.id()},
                            {AccessibleChange::ValueChanged, main().VScroll2.id()},
                            {AccessibleChange::TextChanged, main().Text4.id()},
                        }));
    const auto checked = events_of(main(), [&] { ui.click(main().Check1); });
    EXPECT_EQ(checked, (std::vector<forms::AccessibleEvent>{
                           {AccessibleChange::CheckChanged, main().Check1.id()}}));
    // An arrow at the end of the range changes nothing, and nothing is told.
    ui.scroll(main().VScroll1, forms::ScrollAction::Top);
    EXPECT_TRUE(events_of(main(), [&] {
                    ui.scroll(main().VScroll1, forms::ScrollAction::LineUp);
                }).empty());
}

TEST_F(AccessibilityTest, WindowsAreToldOfAsTheyAppearAndGo) {
    const forms::AccessibleWindow hidden = forms::describe(*program->myPalette);
    ui.click(main().Palette);
    const forms::AccessibleWindow shown = forms::describe(*program->myPalette);
    EXPECT_EQ(forms::events_between(hidden, shown),
              (std::vector<forms::AccessibleEvent>{{AccessibleChange::Shown}}));
    ui.click(main().Palette);
    EXPECT_EQ(forms::events_between(shown, forms::describe(*program->myPalette)),
              (std::vector<forms::AccessibleEvent>{{AccessibleChange::Hidden}}));
    // Nobody is told what changes in a window nobody sees.
    forms::AccessibleWindow changed = hidden;
    changed.name = "renamed";
    EXPECT_TRUE(forms::events_between(hidden, changed).empty());
}

// What the runtime tells the back end of each window, once assistive technology has asked: the
// window's caption, whether it was told before and reads now, and the events.
struct Told {
    std::string window;
    bool before = false;
    bool now = false;
    std::vector<forms::AccessibleEvent> events;
    bool operator==(const Told&) const = default;
    friend void PrintTo(const Told& told, std::ostream* out) {
        *out << told.window << (told.before ? " before" : "") << (told.now ? " now" : "") << " "
             << told.events.size() << " events";
    }
};

class AccessibilityRecordTest : public AccessibilityTest {
protected:
    AccessibilityRecordTest() {
        ui.on_accessible_update = [this](const forms::AccessibleUpdate& update) {
            told.push_back({update.form.Caption(), update.before != nullptr, update.now != nullptr,
                            update.events});
            if (update.now != nullptr) last[&update.form] = *update.now;
        };
    }
    std::vector<Told> told;
    std::map<const forms::Form*, forms::AccessibleWindow> last;
};

// Nothing is described for nobody: until assistive technology asks, the back end hears nothing;
// then it hears of every loaded window as a whole, shown or not (About is loaded hidden from the
// start: the main window's activation looks at it).
TEST_F(AccessibilityRecordTest, NothingIsToldUntilAssistiveTechnologyAsks) {
    ui.type(main().Text1, "2");
    ui.click(main().Palette);
    EXPECT_TRUE(told.empty());
    program->runtime.assistive_technology_asked();
    EXPECT_EQ(told, (std::vector<Told>{{"Varnel v3.0", false, true, {}},
                                       {"About", false, true, {}},
                                       {"myPalette", false, true, {}}}));
    EXPECT_EQ(last.at(&main()), forms::describe(main()));
    // Asked again (assistive technology started afresh), it tells every window anew.
    told.clear();
    ui.type(main().Text1, "5");
    told.clear();
    program->runtime.assistive_technology_asked();
    EXPECT_EQ(told, (std::vector<Told>{{"Varnel v3.0", false, true, {}},
                                       {"About", false, true, {}},
                                       {"myPalette", false, true, {}}}));
    EXPECT_EQ(last.at(&main()).find(main().Text1)->text, "25");
}

// One keystroke is told once, with all it changed, only for the window it changed; a message
// box comes after what led to it.
TEST_F(AccessibilityRecordTest, EachEventIsToldOnceItsUpdatesArePushed) {
    ui.click(main().Palette);
    program->runtime.assistive_technology_asked();
    told.clear();
    ui.type(main().Text1, "2");
    EXPECT_EQ(told, (std::vector<Told>{{"Varnel v3.0",
                                        true,
                                        true,
                                        {
                                            {AccessibleChange::TextChanged, main().Text1.id()},
                                            {AccessibleChange::ValueChanged, main().VScroll1.id()},
                                            {AccessibleChange::TextChanged, main().Text4.id()},
                                        }}}));
    // The refused number is read in its field when the box appears, and the text put back after.
    std::string read_when_refused;
    ui.on_message_box = [&](const auto&) {
        read_when_refused = last.at(&main()).find(main().Text1)->text;
    };
    ui.replace_text(main().Text1, "256");
    EXPECT_EQ(read_when_refused, "256");
    EXPECT_EQ(last.at(&main()).find(main().Text1)->text, "2");
    // An event that changes nothing a screen reader reads tells nothing.
    told.clear();
    ui.tick();
    EXPECT_TRUE(told.empty());
}

// A window shown is told of as shown; an unloaded one as gone, and forgotten: loaded again, it is
// told of as a whole once the event that loaded it is over.
TEST_F(AccessibilityRecordTest, WindowsComeAsAWholeAndGoWithTheirLastEvents) {
    program->runtime.assistive_technology_asked();
    told.clear();
    ui.click(main().Command1);
    const Told shown{"About", true, true, {{AccessibleChange::Shown}}};
    EXPECT_EQ(told, std::vector<Told>{shown});
    told.clear();
    ui.click(about().Command1);
    EXPECT_EQ(told, (std::vector<Told>{{"About", true, false, {{AccessibleChange::Hidden}}}}));
    told.clear();
    ui.click(main().Command1);  // the main window's activation loads About again, hidden
    EXPECT_EQ(told, (std::vector<Told>{{"About", false, true, {}}, shown}));
}

TEST_F(AccessibilityTest, AnUnloadedWindowIsToldOfAsGoneIfItWasShown) {
    ui.click(main().Command1);
    const forms::AccessibleWindow about_shown = forms::describe(about());
    EXPECT_EQ(forms::events_of_unload(about_shown),
              (std::vector<forms::AccessibleEvent>{{AccessibleChange::Hidden}}));
    // The palette, loaded by a look at it but never shown, goes unnoticed.
    EXPECT_FALSE(program->myPalette->Visible());
    EXPECT_TRUE(forms::events_of_unload(forms::describe(*program->myPalette)).empty());
}

TEST_F(AccessibilityTest, PressingAButtonIsTheUsersClick) {
    ui.click(main().Palette);  // the palette window is now the active one
    EXPECT_TRUE(forms::press(main().Command2));
    EXPECT_EQ(ui.clipboard(), "#000000");
    EXPECT_TRUE(forms::press(main().Check1));
    EXPECT_EQ(main().Check1.Value(), 1);
    EXPECT_TRUE(main().Timer1.Enabled());
    // A press activates no window: the About window opens over the palette, and stays.
    EXPECT_TRUE(forms::press(main().Command1));
    EXPECT_TRUE(about().Visible());
    EXPECT_TRUE(forms::press(about().Command1));
    EXPECT_EQ(program->About.loaded(), nullptr);
    // Only buttons and check boxes have the action.
    EXPECT_FALSE(forms::press(main().Text1));
    EXPECT_FALSE(forms::press(main().Picture1));
    EXPECT_FALSE(named(main(), AccessibleRole::EditableText, "Red").pressable);
    EXPECT_TRUE(named(main(), AccessibleRole::PushButton, "Palette").pressable);
}

// Presses asked for together run one after the other: one that closes About takes the next,
// asked for About's Close button, with it.
TEST_F(AccessibilityTest, APressForAControlThatIsGoneIsDropped) {
    ui.click(main().Command1);
    const forms::ObjectId close = about().Command1.id();
    const forms::ObjectId copy = main().Command2.id();
    EXPECT_TRUE(forms::press(program->runtime, close));
    EXPECT_EQ(program->About.loaded(), nullptr);
    EXPECT_FALSE(forms::press(program->runtime, close));
    // Loaded again, About's controls are new ones: the old identity stands for nothing.
    ui.click(main().Command1);
    EXPECT_NE(about().Command1.id(), close);
    EXPECT_FALSE(forms::press(program->runtime, close));
    EXPECT_TRUE(about().Visible());
    EXPECT_TRUE(forms::press(program->runtime, copy));
    EXPECT_EQ(ui.clipboard(), "#000000");
    EXPECT_FALSE(forms::press(program->runtime, forms::NoObject));
}

// A press while a message box waits is dropped, like a click on a disabled window.
TEST_F(AccessibilityTest, APressWhileAMessageBoxWaitsIsDropped) {
    ui.on_message_box = [&](const auto&) { forms::press(main().Command2); };
    ui.type(main().Text1, "256");
    EXPECT_EQ(box_texts(), std::vector<std::string>{"Field can be from 0 to 255"});
    EXPECT_FALSE(ui.clipboard().has_value());
    const forms::AccessibleAlert alert =
        forms::describe_message_box(ui.message_boxes()[0].text, ui.message_boxes()[0].title);
    EXPECT_EQ(alert, (forms::AccessibleAlert{"ERROR", "Field can be from 0 to 255", "OK"}));
}

}  // namespace
}  // namespace varnel_test
