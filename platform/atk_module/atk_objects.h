#pragma once

#include <atk/atk.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/atk_module/host.h"
#include "platform/forms/accessible.h"

namespace atk_module {

// What one ATK object reads: the module keeps it up to date from the model's descriptions, and
// the object's ATK functions only read it.
struct ObjectState {
    AtkRole role = ATK_ROLE_UNKNOWN;
    std::string name;
    std::string text;  // what the Text interface reads; valid UTF-8
    std::string description;
    std::optional<forms::AccessibleRange> range;
    std::optional<forms::CheckState> check;
    bool showing = false;
    bool focusable = false;
    bool focused = false;
    bool active = false;  // a window that has the focus
    bool modal = false;
    std::vector<AtkObject*> children;
    std::vector<AtkObject*> labelled_by;
    std::vector<AtkObject*> label_for;
    std::function<ScreenRect()> extents;  // on the screen; empty: none
    std::function<int()> caret;           // in characters; empty: no caret
    std::function<void()> press;          // the one action; empty: none
    // The object stands for nothing any more, though assistive technology may still hold it.
    bool defunct = false;
};

// The kinds of objects, each with its interfaces: every kind but the application has a place on
// the screen (Component); texts are read (Text), scroll bars have a value (Value), buttons and
// check boxes an action (Action); windows are windows (Window), and the message box is a window
// with a text.
enum class ObjectKind { Application, Graphic, Text, Value, Action, Window, Alert };

struct Unref {
    void operator()(AtkObject* object) const { g_object_unref(object); }
};
using ObjectRef = std::unique_ptr<AtkObject, Unref>;

// A new object of the kind, its state empty.
ObjectRef new_object(ObjectKind kind);
// The state of an object that new_object made.
ObjectState& state_of(AtkObject* object);

}  // namespace atk_module
