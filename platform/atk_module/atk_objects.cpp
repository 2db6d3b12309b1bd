#include "platform/atk_module/atk_objects.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>

#include "platform/atk_module/text_pieces.h"

namespace atk_module {

namespace {

// The instance of every kind: an AtkObject and the state it reads.
struct Instance {
    AtkObject parent;
    ObjectState* state;
};
struct InstanceClass {
    AtkObjectClass parent;
};

GObjectClass* base_parent_class = nullptr;

ObjectState& state(gpointer object) { return *reinterpret_cast<Instance*>(object)->state; }

// AtkObject

void instance_init(GTypeInstance* instance, gpointer) {
    reinterpret_cast<Instance*>(instance)->state = new ObjectState();
}

void finalize(GObject* object) {
    delete reinterpret_cast<Instance*>(object)->state;
    base_parent_class->finalize(object);
}

const gchar* get_name(AtkObject* object) { return state(object).name.c_str(); }

const gchar* get_description(AtkObject* object) {
    const std::string& description = state(object).description;
    return description.empty() ? nullptr : description.c_str();
}

AtkRole get_role(AtkObject* object) { return state(object).role; }

gint get_n_children(AtkObject* object) { return static_cast<gint>(state(object).children.size()); }

AtkObject* ref_child(AtkObject* object, gint index) {
    const std::vector<AtkObject*>& children = state(object).children;
    if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
    return ATK_OBJECT(g_object_ref(children[static_cast<std::size_t>(index)]));
}

gint get_index_in_parent(AtkObject* object) {
    AtkObject* parent = atk_object_get_parent(object);
    if (parent == nullptr || state(object).defunct) return -1;
    const std::vector<AtkObject*>& siblings = state(parent).children;
    const auto found = std::ranges::find(siblings, object);
    return found == siblings.end() ? -1 : static_cast<gint>(found - siblings.begin());
}

bool is_window(const ObjectState& s) {
    return s.role == ATK_ROLE_FRAME || s.role == ATK_ROLE_ALERT;
}

AtkStateSet* ref_state_set(AtkObject* object) {
    const ObjectState& s = state(object);
    AtkStateSet* set = atk_state_set_new();
    if (s.defunct) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    if (s.role == ATK_ROLE_APPLICATION) return set;
    const auto add = [&](bool when, AtkStateType type) {
        if (when) atk_state_set_add_state(set, type);
    };
    add(true, ATK_STATE_ENABLED);
    add(true, ATK_STATE_SENSITIVE);
    add(s.showing, ATK_STATE_VISIBLE);
    add(s.showing, ATK_STATE_SHOWING);
    add(s.focusable, ATK_STATE_FOCUSABLE);
    add(s.focused, ATK_STATE_FOCUSED);
    add(s.active, ATK_STATE_ACTIVE);
    add(s.modal, ATK_STATE_MODAL);
    add(s.role == ATK_ROLE_ENTRY, ATK_STATE_EDITABLE);
    add(s.role == ATK_ROLE_ENTRY, ATK_STATE_SINGLE_LINE);
    add(s.role == ATK_ROLE_LABEL && s.text.find('\n') != std::string::npos, ATK_STATE_MULTI_LINE);
    add(s.role == ATK_ROLE_SCROLL_BAR, ATK_STATE_VERTICAL);
    add(s.role == ATK_ROLE_CHECK_BOX, ATK_STATE_CHECKABLE);
    add(s.check == forms::CheckState::Checked, ATK_STATE_CHECKED);
    add(s.check == forms::CheckState::Mixed, ATK_STATE_INDETERMINATE);
    return set;
}

AtkRelationSet* ref_relation_set(AtkObject* object) {
    const ObjectState& s = state(object);
    AtkRelationSet* set = atk_relation_set_new();
    for (AtkObject* label : s.labelled_by) {
        atk_relation_set_add_relation_by_type(set, ATK_RELATION_LABELLED_BY, label);
    }
    for (AtkObject* named : s.label_for) {
        atk_relation_set_add_relation_by_type(set, ATK_RELATION_LABEL_FOR, named);
    }
    return set;
}

void object_class_init(gpointer klass, gpointer) {
    base_parent_class = G_OBJECT_CLASS(g_type_class_peek_parent(klass));
    G_OBJECT_CLASS(klass)->finalize = finalize;
    AtkObjectClass* object = ATK_OBJECT_CLASS(klass);
    object->get_name = get_name;
    object->get_description = get_description;
    object->get_role = get_role;
    object->get_n_children = get_n_children;
    object->ref_child = ref_child;
    object->get_index_in_parent = get_index_in_parent;
    object->ref_state_set = ref_state_set;
    object->ref_relation_set = ref_relation_set;
}

// AtkComponent: extents on the screen, or relative to the window (a window's own: its
// corner), or to the parent (a window's parent, the application, has no place: the screen).

ScreenRect screen_extents(gpointer object) {
    const ObjectState& s = state(object);
    return s.extents && !s.defunct ? s.extents() : ScreenRect{};
}

// The object's extents in these coordinates, or nothing (all zero) when `shown` is false.
void extents_of(gpointer object, bool shown, AtkCoordType coordinates, gint* x, gint* y,
                gint* width, gint* height) {
    const ScreenRect rect = shown ? screen_extents(object) : ScreenRect{};
    AtkObject* origin = nullptr;
    if (shown && coordinates != ATK_XY_SCREEN) {
        if (!is_window(state(object))) {
            origin = atk_object_get_parent(ATK_OBJECT(object));
        } else if (coordinates == ATK_XY_WINDOW) {
            origin = ATK_OBJECT(object);
        }
    }
    const ScreenRect from = origin != nullptr ? screen_extents(origin) : ScreenRect{};
    if (x != nullptr) *x = rect.x - from.x;
    if (y != nullptr) *y = rect.y - from.y;
    if (width != nullptr) *width = rect.width;
    if (height != nullptr) *height = rect.height;
}

void get_extents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                 AtkCoordType coordinates) {
    extents_of(component, true, coordinates, x, y, width, height);
}

AtkLayer get_layer(AtkComponent* component) {
    return is_window(state(component)) ? ATK_LAYER_WINDOW : ATK_LAYER_WIDGET;
}

void component_init(gpointer iface, gpointer) {
    auto* component = static_cast<AtkComponentIface*>(iface);
    component->get_extents = get_extents;
    component->get_layer = get_layer;
}

// AtkText, over valid UTF-8 and in characters. Offsets are clamped to the text, and no call
// costs more than a walk over it: a field may hold a pasted megabyte.

// The characters [start, end) of the text, clamped; end -1 is the text's end.
gchar* characters(const std::string& text, glong start, glong end) {
    const glong count = character_count(text);
    if (end < 0 || end > count) end = count;
    start = std::clamp<glong>(start, 0, end);
    return g_utf8_substring(text.c_str(), start, end);
}

gchar* get_text(AtkText* text, gint start, gint end) {
    return characters(state(text).text, start, end);
}

gint get_character_count(AtkText* text) {
    return static_cast<gint>(character_count(state(text).text));
}

gint get_caret_offset(AtkText* text) {
    const ObjectState& s = state(text);
    return s.caret && !s.defunct ? s.caret() : -1;
}

gunichar get_character_at_offset(AtkText* text, gint offset) {
    const std::string& s = state(text).text;
    const TextPiece piece = piece_at(s, offset, TextUnit::Character);
    if (offset < 0 || piece.start == piece.end) return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(s.c_str(), piece.start));
}

// The piece of the text that holds the character at offset; an unknown unit reads as nothing
// there. Never null: the bridge would read null as a toolkit without the call, and emulate it
// with calls that stop the program on a unit they do not know.
gchar* piece_of(AtkText* text, gint offset, std::optional<TextUnit> unit, gint* start, gint* end) {
    const std::string& s = state(text).text;
    TextPiece piece = piece_at(s, offset, unit.value_or(TextUnit::Character));
    if (!unit) piece.end = piece.start;
    if (start != nullptr) *start = static_cast<gint>(piece.start);
    if (end != nullptr) *end = static_cast<gint>(piece.end);
    return characters(s, piece.start, piece.end);
}

std::optional<TextUnit> unit_of(AtkTextGranularity granularity) {
    switch (granularity) {
        case ATK_TEXT_GRANULARITY_CHAR:
            return TextUnit::Character;
        case ATK_TEXT_GRANULARITY_WORD:
            return TextUnit::Word;
        case ATK_TEXT_GRANULARITY_SENTENCE:
            return TextUnit::Sentence;
        case ATK_TEXT_GRANULARITY_LINE:
        case ATK_TEXT_GRANULARITY_PARAGRAPH:
            return TextUnit::Line;
    }
    return std::nullopt;
}

std::optional<TextUnit> unit_of(AtkTextBoundary boundary) {
    switch (boundary) {
        case ATK_TEXT_BOUNDARY_CHAR:
            return TextUnit::Character;
        case ATK_TEXT_BOUNDARY_WORD_START:
        case ATK_TEXT_BOUNDARY_WORD_END:
            return TextUnit::Word;
        case ATK_TEXT_BOUNDARY_SENTENCE_START:
        case ATK_TEXT_BOUNDARY_SENTENCE_END:
            return TextUnit::Sentence;
        case ATK_TEXT_BOUNDARY_LINE_START:
        case ATK_TEXT_BOUNDARY_LINE_END:
            return TextUnit::Line;
    }
    return std::nullopt;
}

gchar* get_string_at_offset(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start,
                            gint* end) {
    return piece_of(text, offset, unit_of(granularity), start, end);
}

gchar* get_text_at_offset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start,
                          gint* end) {
    return piece_of(text, offset, unit_of(boundary), start, end);
}

// Where characters are: the program knows where each control stands, not where its characters
// are drawn, so each character of a text is told to stand where its control does; a range of
// characters, where the control does when it holds any.
void get_character_extents(AtkText* text, gint offset, gint* x, gint* y, gint* width, gint* height,
                           AtkCoordType coordinates) {
    const TextPiece piece = piece_at(state(text).text, offset, TextUnit::Character);
    extents_of(text, offset >= 0 && piece.start != piece.end, coordinates, x, y, width, height);
}

void get_range_extents(AtkText* text, gint start, gint end, AtkCoordType coordinates,
                       AtkTextRectangle* rectangle) {
    const glong count = character_count(state(text).text);
    const bool some = std::min<glong>(end, count) > std::max<glong>(start, 0);
    extents_of(text, some, coordinates, &rectangle->x, &rectangle->y, &rectangle->width,
               &rectangle->height);
}

gint get_n_selections(AtkText*) { return 0; }

// The text has no attributes of its own: one run, the whole text (screen readers split what
// they say at the runs' ends).
AtkAttributeSet* get_run_attributes(AtkText* text, gint, gint* start, gint* end) {
    if (start != nullptr) *start = 0;
    if (end != nullptr) *end = get_character_count(text);
    return nullptr;
}

void text_init(gpointer iface, gpointer) {
    auto* text = static_cast<AtkTextIface*>(iface);
    text->get_text = get_text;
    text->get_character_count = get_character_count;
    text->get_caret_offset = get_caret_offset;
    text->get_character_at_offset = get_character_at_offset;
    text->get_string_at_offset = get_string_at_offset;
    text->get_text_at_offset = get_text_at_offset;
    text->get_character_extents = get_character_extents;
    text->get_range_extents = get_range_extents;
    text->get_n_selections = get_n_selections;
    text->get_run_attributes = get_run_attributes;
}

// AtkValue

void get_value_and_text(AtkValue* value, gdouble* current, gchar** text) {
    const std::optional<forms::AccessibleRange>& range = state(value).range;
    if (current != nullptr) *current = range ? range->value : 0;
    if (text != nullptr) *text = nullptr;
}

AtkRange* get_range(AtkValue* value) {
    const std::optional<forms::AccessibleRange>& range = state(value).range;
    return range ? atk_range_new(range->min, range->max, nullptr) : nullptr;
}

gdouble get_increment(AtkValue*) { return 1; }

void value_init(gpointer iface, gpointer) {
    auto* value = static_cast<AtkValueIface*>(iface);
    value->get_value_and_text = get_value_and_text;
    value->get_range = get_range;
    value->get_increment = get_increment;
}

// AtkAction: one action, a click.

gint get_n_actions(AtkAction* action) { return state(action).press ? 1 : 0; }

gboolean do_action(AtkAction* action, gint index) {
    const ObjectState& s = state(action);
    if (index != 0 || !s.press || s.defunct) return FALSE;
    s.press();
    return TRUE;
}

const gchar* get_action_name(AtkAction* action, gint index) {
    return index == 0 && state(action).press ? "click" : nullptr;
}

void action_init(gpointer iface, gpointer) {
    auto* action = static_cast<AtkActionIface*>(iface);
    action->get_n_actions = get_n_actions;
    action->do_action = do_action;
    action->get_name = get_action_name;
}

// The types: one per kind, each a subtype of the kind whose interfaces it adds to.

GType register_type(GType parent, const char* name,
                    std::initializer_list<std::pair<GType, GInterfaceInitFunc>> interfaces) {
    GTypeQuery query;
    g_type_query(parent, &query);
    const GType type =
        g_type_register_static_simple(parent, name, query.class_size, nullptr, query.instance_size,
                                      nullptr, static_cast<GTypeFlags>(0));
    for (const auto& [interface, init] : interfaces) {
        const GInterfaceInfo info{init, nullptr, nullptr};
        g_type_add_interface_static(type, interface, &info);
    }
    return type;
}

GType type_of(ObjectKind kind) {
    static const std::array<GType, 7> types = [] {
        const GType object = g_type_register_static_simple(
            ATK_TYPE_OBJECT, "VarnelObject", sizeof(InstanceClass), object_class_init,
            sizeof(Instance), instance_init, static_cast<GTypeFlags>(0));
        const GType graphic =
            register_type(object, "VarnelGraphic", {{ATK_TYPE_COMPONENT, component_init}});
        const GType window = register_type(graphic, "VarnelWindow", {{ATK_TYPE_WINDOW, nullptr}});
        return std::array<GType, 7>{
            object,
            graphic,
            register_type(graphic, "VarnelText", {{ATK_TYPE_TEXT, text_init}}),
            register_type(graphic, "VarnelValue", {{ATK_TYPE_VALUE, value_init}}),
            register_type(graphic, "VarnelAction", {{ATK_TYPE_ACTION, action_init}}),
            window,
            register_type(window, "VarnelAlert", {{ATK_TYPE_TEXT, text_init}}),
        };
    }();
    return types[static_cast<std::size_t>(kind)];
}

}  // namespace

ObjectRef new_object(ObjectKind kind) {
    return ObjectRef(ATK_OBJECT(g_object_new(type_of(kind), nullptr)));
}

ObjectState& state_of(AtkObject* object) { return state(object); }

}  // namespace atk_module
