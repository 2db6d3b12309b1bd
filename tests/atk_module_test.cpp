// The Linux program's accessibility module without the bridge: the program on the headless back
// end, its windows' descriptions fed to the module through its plain C interface as the FLTK back
// end feeds them, and read back
// through ATK, the way the AT-SPI bridge reads them: the tree, the interfaces, and the signals
// heard through ATK's global event listeners.
#include <atk/atk.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/atk_module/accessibility_module.h"
#include "platform/atk_module/description_layout.h"
#include "platform/atk_module/log_limit.h"
#include "platform/fltk/atk_module_client.h"
#include "platform/forms/accessible_events.h"
#include "platform/forms/runtime.h"
#include "tests/varnel_fixture.h"

namespace varnel_test {
namespace {

// Where the native side says things stand, and what was pressed, told to the module through its
// plain C interface as the program tells it.
class FakeHost {
public:
    static constexpr varnel_a11y_rect Window{200, 100, 254, 184};

    explicit FakeHost(const forms::Runtime& runtime) : runtime_(runtime) {}

    varnel_a11y_host host() {
        varnel_a11y_host host{};
        host.context = this;
        host.window_extents = [](void*, varnel_a11y_id) { return Window; };
        host.control_extents = [](void* self, varnel_a11y_id id) {
            const forms::Control* control =
                static_cast<FakeHost*>(self)->runtime_.find_control(forms::ObjectId{id});
            if (control == nullptr) return varnel_a11y_rect{};
            return varnel_a11y_rect{Window.x + control->Left() / 15, Window.y + control->Top() / 15,
                                    control->Width() / 15, control->Height() / 15};
        };
        host.message_box_extents = [](void*, int32_t button) {
            return button != 0 ? varnel_a11y_rect{330, 360, 75, 23}
                               : varnel_a11y_rect{300, 300, 200, 100};
        };
        host.caret = [](void*, varnel_a11y_id) { return int32_t{1}; };
        host.press = [](void* self, varnel_a11y_id id) {
            static_cast<FakeHost*>(self)->pressed.push_back(forms::ObjectId{id});
        };
        host.press_message_box_button = [](void* self) {
            ++static_cast<FakeHost*>(self)->box_presses;
        };
        return host;
    }

    std::vector<forms::ObjectId> pressed;
    int box_presses = 0;

private:
    const forms::Runtime& runtime_;
};

// The focus in a window, on a control or on the window itself.
varnel_a11y_focus focus_on(const forms::Form& form, const forms::Control* control = nullptr) {
    return {VARNEL_A11Y_FOCUS_IN_WINDOW, atk_module::id_of(form.id()),
            control != nullptr ? atk_module::id_of(control->id()) : 0, 0};
}

std::string name_of(AtkObject* object) {
    const gchar* name = atk_object_get_name(object);
    return name != nullptr ? name : "";
}

// The signals the bridge listens to, as "signal name detail…" lines.
std::vector<std::string>* heard = nullptr;

gboolean hear(GSignalInvocationHint* hint, guint count, const GValue* values, gpointer) {
    GSignalQuery query;
    g_signal_query(hint->signal_id, &query);
    std::string line = query.signal_name;
    line += " " + name_of(ATK_OBJECT(g_value_get_object(&values[0])));
    for (guint i = 1; i < count; ++i) {
        if (G_VALUE_HOLDS_STRING(&values[i]))
            line += std::string(" ") + g_value_get_string(&values[i]);
        if (G_VALUE_HOLDS_INT(&values[i]))
            line += " " + std::to_string(g_value_get_int(&values[i]));
        if (G_VALUE_HOLDS_BOOLEAN(&values[i]))
            line += g_value_get_boolean(&values[i]) ? " on" : " off";
    }
    if (hint->detail != 0) line += std::string(" ") + g_quark_to_string(hint->detail);
    heard->push_back(line);
    return TRUE;
}

class AtkModuleTest : public VarnelTest {
protected:
    AtkModuleTest() {
        heard = &signals;
        for (const char* signal :
             {"Gtk:AtkText:text-insert", "Gtk:AtkText:text-remove", "Gtk:AtkObject:state-change",
              "Gtk:AtkObject:property-change", "Atk:AtkWindow:create", "Atk:AtkWindow:destroy",
              "Atk:AtkWindow:activate", "Atk:AtkWindow:deactivate"}) {
            listeners.push_back(atk_add_global_event_listener(hear, signal));
        }
        // As the back end does: the runtime tells the module each window, then what changed.
        ui.on_accessible_update = [this](const forms::AccessibleUpdate& update) {
            if (update.now != nullptr) {
                module->window(*update.now, update.events);
            } else {
                module->unloaded(update.form.id(), update.events);
            }
        };
        program->runtime.assistive_technology_asked();
        signals.clear();
    }
    ~AtkModuleTest() override {
        for (const guint id : listeners) atk_remove_global_event_listener(id);
        heard = nullptr;
    }

    // The child of parent with this role and name.
    static AtkObject* child(AtkObject* parent, AtkRole role, const std::string& name) {
        for (int i = 0; i < atk_object_get_n_accessible_children(parent); ++i) {
            AtkObject* candidate = atk_object_ref_accessible_child(parent, i);
            g_object_unref(candidate);  // the module keeps it
            if (atk_object_get_role(candidate) == role && name_of(candidate) == name) {
                return candidate;
            }
        }
        ADD_FAILURE() << "no " << atk_role_get_name(role) << " " << name;
        return nullptr;
    }
    AtkObject* main_window() { return child(atk_get_root(), ATK_ROLE_FRAME, "Varnel v3.0"); }
    AtkObject* on_main(AtkRole role, const std::string& name) {
        return child(main_window(), role, name);
    }

    static bool has(AtkObject* object, AtkStateType state) {
        AtkStateSet* set = atk_object_ref_state_set(object);
        const bool contained = atk_state_set_contains_state(set, state) != 0;
        g_object_unref(set);
        return contained;
    }
    static std::vector<std::string> targets(AtkObject* object, AtkRelationType type) {
        AtkRelationSet* set = atk_object_ref_relation_set(object);
        std::vector<std::string> names;
        if (AtkRelation* relation = atk_relation_set_get_relation_by_type(set, type)) {
            GPtrArray* objects = atk_relation_get_target(relation);
            for (guint i = 0; i < objects->len; ++i) {
                names.push_back(name_of(ATK_OBJECT(g_ptr_array_index(objects, i))));
            }
        }
        g_object_unref(set);
        return names;
    }
    static std::string text(AtkObject* object) {
        gchar* all = atk_text_get_text(ATK_TEXT(object), 0, -1);
        std::string copy = all;
        g_free(all);
        return copy;
    }

    FakeHost fake{program->runtime};
    const varnel_a11y_host host = fake.host();
    std::optional<fltk::AtkModuleClient> module = fltk::AtkModuleClient::make(
        *varnel_accessibility_module(), host, {"Varnel", "FLTK", "1.3.8"});
    std::vector<std::string> signals;
    std::vector<guint> listeners;
};

TEST_F(AtkModuleTest, TheMainWindowIsAFrameOfTheControlsTheRuntimeTellsOf) {
    EXPECT_EQ(name_of(atk_get_root()), "Varnel");
    EXPECT_EQ(atk_object_get_role(atk_get_root()), ATK_ROLE_APPLICATION);
    EXPECT_STREQ(atk_get_toolkit_name(), "FLTK");
    AtkObject* window = main_window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ATK_IS_WINDOW(window));
    EXPECT_EQ(atk_object_get_n_accessible_children(window),
              static_cast<gint>(forms::describe(main()).controls.size()));

    AtkObject* red = on_main(ATK_ROLE_ENTRY, "Red");
    for (const AtkStateType state : {ATK_STATE_EDITABLE, ATK_STATE_SINGLE_LINE, ATK_STATE_FOCUSABLE,
                                     ATK_STATE_SHOWING, ATK_STATE_ENABLED}) {
        EXPECT_TRUE(has(red, state)) << atk_state_type_get_name(state);
    }
    EXPECT_EQ(text(red), "0");
    EXPECT_EQ(atk_text_get_caret_offset(ATK_TEXT(red)), 1);
    EXPECT_FALSE(ATK_IS_ACTION(red));
    EXPECT_EQ(targets(red, ATK_RELATION_LABELLED_BY), std::vector<std::string>{"Red"});
    EXPECT_EQ(targets(on_main(ATK_ROLE_LABEL, "Red"), ATK_RELATION_LABEL_FOR),
              (std::vector<std::string>{"Red", "Red"}));

    AtkObject* bar = on_main(ATK_ROLE_SCROLL_BAR, "Green");
    AtkRange* range = atk_value_get_range(ATK_VALUE(bar));
    EXPECT_EQ(atk_range_get_lower_limit(range), 0);
    EXPECT_EQ(atk_range_get_upper_limit(range), 255);
    atk_range_free(range);
    EXPECT_TRUE(has(bar, ATK_STATE_VERTICAL));

    AtkObject* ball = on_main(ATK_ROLE_CHECK_BOX, "Ball");
    EXPECT_TRUE(has(ball, ATK_STATE_CHECKABLE));
    EXPECT_FALSE(has(ball, ATK_STATE_CHECKED));
    EXPECT_FALSE(ATK_IS_TEXT(on_main(ATK_ROLE_IMAGE, "Preview")));

    // On the screen, and within its window.
    gint x = 0, y = 0, w = 0, h = 0;
    atk_component_get_extents(ATK_COMPONENT(red), &x, &y, &w, &h, ATK_XY_SCREEN);
    EXPECT_EQ((std::vector<int>{x, y, w, h}),
              (std::vector<int>{200 + main().Text1.Left() / 15, 100 + main().Text1.Top() / 15,
                                main().Text1.Width() / 15, main().Text1.Height() / 15}));
    atk_component_get_extents(ATK_COMPONENT(red), &x, &y, nullptr, nullptr, ATK_XY_WINDOW);
    EXPECT_EQ((std::vector<int>{x, y}),
              (std::vector<int>{main().Text1.Left() / 15, main().Text1.Top() / 15}));
}

TEST_F(AtkModuleTest, ChangesAreToldAsTheCharactersRemovedAndInsertedAndTheValue) {
    ui.replace_text(main().Text1, "12");
    EXPECT_EQ(signals, (std::vector<std::string>{
                           "text-remove Red 0 1 0",
                           "text-insert Red 0 2 12",
                           "property-change Red accessible-value",
                           "text-remove HEX 2 1 0",
                           "text-insert HEX 2 1 C",
                       }));
    signals.clear();
    ui.scroll(main().VScroll1, forms::ScrollAction::LineDown);
    EXPECT_EQ(signals, (std::vector<std::string>{
                           "text-remove Red 1 1 2",
                           "text-insert Red 1 1 3",
                           "property-change Red accessible-value",
                           "text-remove HEX 2 1 C",
                           "text-insert HEX 2 1 D",
                       }));
    gdouble value = 0;
    atk_value_get_value_and_text(ATK_VALUE(on_main(ATK_ROLE_SCROLL_BAR, "Red")), &value, nullptr);
    EXPECT_EQ(value, 13);

    signals.clear();
    ui.click(main().Check1);
    EXPECT_EQ(signals, std::vector<std::string>{"state-change Ball checked on checked"});
    EXPECT_TRUE(has(on_main(ATK_ROLE_CHECK_BOX, "Ball"), ATK_STATE_CHECKED));
}

TEST_F(AtkModuleTest, WindowsAreToldOfAsTheyAppearAndGo) {
    ui.click(main().Palette);
    EXPECT_NE(std::ranges::find(signals, "create myPalette"), signals.end());
    AtkObject* palette = child(atk_get_root(), ATK_ROLE_FRAME, "myPalette");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(name_of(child(palette, ATK_ROLE_IMAGE, "Spectrum")), "Spectrum");
    signals.clear();
    ui.click(main().Palette);
    EXPECT_NE(std::ranges::find(signals, "destroy myPalette"), signals.end());
    EXPECT_EQ(atk_object_get_n_accessible_children(atk_get_root()), 1);

    // An unloaded window's objects say they are gone to whoever still holds them.
    ui.click(main().Command1);
    AtkObject* close =
        child(child(atk_get_root(), ATK_ROLE_FRAME, "About"), ATK_ROLE_PUSH_BUTTON, "Close");
    g_object_ref(close);
    program->About.Unload();
    EXPECT_TRUE(has(close, ATK_STATE_DEFUNCT));
    g_object_unref(close);
    EXPECT_EQ(atk_object_get_n_accessible_children(atk_get_root()), 1);
}

TEST_F(AtkModuleTest, TheFocusAndTheActiveWindowAreToldAsTheyMove) {
    module->focus(focus_on(main(), &main().Text1));
    EXPECT_EQ(signals, (std::vector<std::string>{"activate Varnel v3.0",
                                                 "state-change Varnel v3.0 active on active",
                                                 "state-change Red focused on focused"}));
    EXPECT_TRUE(has(on_main(ATK_ROLE_ENTRY, "Red"), ATK_STATE_FOCUSED));
    signals.clear();
    module->focus(focus_on(main(), &main().Text2));
    EXPECT_EQ(signals, (std::vector<std::string>{"state-change Red focused off focused",
                                                 "state-change Green focused on focused"}));
    signals.clear();
    module->focus({});
    EXPECT_EQ(signals, (std::vector<std::string>{"state-change Green focused off focused",
                                                 "state-change Varnel v3.0 active off active",
                                                 "deactivate Varnel v3.0"}));
}

TEST_F(AtkModuleTest, ButtonsAndTheCheckBoxArePressedThroughTheProgram) {
    AtkObject* copy = on_main(ATK_ROLE_PUSH_BUTTON, "Copy to Clipboard");
    ASSERT_EQ(atk_action_get_n_actions(ATK_ACTION(copy)), 1);
    EXPECT_STREQ(atk_action_get_name(ATK_ACTION(copy), 0), "click");
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(copy), 0));
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(on_main(ATK_ROLE_CHECK_BOX, "Ball")), 0));
    EXPECT_FALSE(atk_action_do_action(ATK_ACTION(copy), 1));
    EXPECT_EQ(fake.pressed,
              (std::vector<forms::ObjectId>{main().Command2.id(), main().Check1.id()}));
}

TEST_F(AtkModuleTest, TheMessageBoxIsAnAlertWithItsTextAndItsButton) {
    module->message_box(forms::describe_message_box("Field can be from 0 to 255", "ERROR"));
    AtkObject* alert = child(atk_get_root(), ATK_ROLE_ALERT, "ERROR");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(text(alert), "Field can be from 0 to 255");
    EXPECT_STREQ(atk_object_get_description(alert), "Field can be from 0 to 255");
    EXPECT_TRUE(has(alert, ATK_STATE_MODAL));
    AtkObject* ok = child(alert, ATK_ROLE_PUSH_BUTTON, "OK");
    module->focus({VARNEL_A11Y_FOCUS_IN_MESSAGE_BOX, 0, 0, 1});
    EXPECT_TRUE(has(ok, ATK_STATE_FOCUSED));
    EXPECT_TRUE(has(alert, ATK_STATE_ACTIVE));
    EXPECT_TRUE(atk_action_do_action(ATK_ACTION(ok), 0));
    EXPECT_EQ(fake.box_presses, 1);
    module->message_box(std::nullopt);
    EXPECT_EQ(atk_object_get_n_accessible_children(atk_get_root()), 1);
}

TEST_F(AtkModuleTest, TextIsReadInCharactersWordsAndLinesAsValidText) {
    ui.click(main().Command1);
    AtkObject* about = child(atk_get_root(), ATK_ROLE_FRAME, "About");
    AtkObject* credits = nullptr;
    for (int i = 0; i < atk_object_get_n_accessible_children(about); ++i) {
        AtkObject* candidate = atk_object_ref_accessible_child(about, i);
        g_object_unref(candidate);
        if (name_of(candidate).starts_with("Version 3.0")) credits = candidate;
    }
    ASSERT_NE(credits, nullptr);
    EXPECT_TRUE(has(credits, ATK_STATE_MULTI_LINE));
    const std::string all = text(credits);
    const std::string second = all.substr(all.find('\n') + 1);
    // The third character of the second line.
    const auto offset =
        static_cast<gint>(g_utf8_strlen(all.c_str(), static_cast<gssize>(all.find('\n') + 3)));
    gint start = 0, end = 0;
    const auto piece = [&](AtkTextGranularity unit) {
        gchar* got = atk_text_get_string_at_offset(ATK_TEXT(credits), offset, unit, &start, &end);
        std::string copy = got;
        g_free(got);
        return copy;
    };
    EXPECT_EQ(piece(ATK_TEXT_GRANULARITY_LINE), second.substr(0, second.find('\n') + 1));
    EXPECT_EQ(piece(ATK_TEXT_GRANULARITY_WORD), second.substr(0, second.find(' ')));
    EXPECT_EQ(piece(ATK_TEXT_GRANULARITY_CHAR), second.substr(2, 1));

    // A field may hold any bytes pasted into it; what is read is valid, one character each.
    ui.replace_text(main().Text3, std::string("a\xFF") + '\0' + "b");
    AtkObject* blue = on_main(ATK_ROLE_ENTRY, "Blue");
    EXPECT_TRUE(g_utf8_validate(text(blue).c_str(), -1, nullptr));
    EXPECT_EQ(atk_text_get_character_count(ATK_TEXT(blue)), 4);
    // One run of no attributes, the whole text: a screen reader says no less than it.
    AtkAttributeSet* attributes = atk_text_get_run_attributes(ATK_TEXT(blue), 2, &start, &end);
    EXPECT_EQ(attributes, nullptr);
    EXPECT_EQ((std::vector<int>{start, end}), (std::vector<int>{0, 4}));
}

// What crosses the module's plain interface reads back as it was sent: every window's
// description, with a field's bytes as pasted (a zero among them), its events, and an alert.
TEST_F(VarnelTest, DescriptionsCrossTheModulesInterfaceWhole) {
    ui.click(main().Command1);
    ui.replace_text(main().Text3, std::string("a\xFF") + '\0' + "b");
    for (const forms::Form* form : program->runtime.loaded_forms()) {
        const forms::AccessibleWindow sent = forms::describe(*form);
        const atk_module::WindowLayout layout(sent);
        EXPECT_EQ(atk_module::read_window(layout.get()), sent) << form->Caption();
    }
    // A greyed check box, which the program's own never is.
    forms::AccessibleWindow greyed = forms::describe(main());
    for (forms::Accessible& control : greyed.controls) {
        if (control.check) control.check = forms::CheckState::Mixed;
    }
    EXPECT_EQ(atk_module::read_window(atk_module::WindowLayout(greyed).get()), greyed);
    const std::vector<forms::AccessibleEvent> events{
        {forms::AccessibleChange::Shown},
        {forms::AccessibleChange::CheckChanged, main().Check1.id()}};
    const std::vector<varnel_a11y_event> laid = atk_module::layout_events(events);
    EXPECT_EQ(atk_module::read_events(laid.data(), laid.size()), events);
    const forms::AccessibleAlert alert =
        forms::describe_message_box("Field can be from 0 to 255", "ERROR");
    EXPECT_EQ(atk_module::read_alert(atk_module::layout_alert(alert)), alert);
}

// A storm of calls that make the libraries warn writes ten lines, then one at each tenfold.
TEST(LogLimit, TheFirstFewThenACountAtEachTenfold) {
    atk_module::LogLimit limit;
    std::vector<long> counted;
    long written = 0;
    for (long i = 1; i <= 100000; ++i) {
        switch (limit.next()) {
            case atk_module::LogLimit::Verdict::Write:
                ++written;
                break;
            case atk_module::LogLimit::Verdict::Count:
                counted.push_back(limit.count());
                break;
            case atk_module::LogLimit::Verdict::Drop:
                break;
        }
    }
    EXPECT_EQ(written, atk_module::LogLimit::Written);
    EXPECT_EQ(counted, (std::vector<long>{100, 1000, 10000, 100000}));
}

// The same through GLib's log, in a process of its own (GLib takes its writer once): warnings
// after a flood of debugging messages, which are GLib's to drop and not counted.
TEST(LogLimit, LibraryWarningsAreWrittenTheFirstTenThenAsACount) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            atk_module::limit_library_messages();
            for (int i = 1; i <= 20; ++i) g_debug("detail %d", i);
            for (int i = 1; i <= 20; ++i) g_info("note %d", i);
            for (int i = 1; i <= 1000; ++i) g_warning("warning %d", i);
            std::exit(0);
        },
        testing::ExitedWithCode(0),
        "warning 10\nvarnel: accessibility: 100 messages [^\n]*\n"
        "varnel: accessibility: 1000 messages ");
}

}  // namespace
}  // namespace varnel_test
