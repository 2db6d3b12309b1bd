#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/atk_module/atk_objects.h"
#include "platform/atk_module/bridge_guard.h"
#include "platform/atk_module/glib_pump.h"
#include "platform/atk_module/host.h"
#include "platform/forms/accessible.h"
#include "platform/forms/accessible_events.h"

namespace atk_module {

// The program's windows as ATK objects under one application object, exported by the AT-SPI
// bridge: a window object per shown form and for the message box, and an object per control
// that the model tells of, each reading the model's latest description. What changed is told
// as ATK signals, from the model's events; the focus from the program's native facts.
class AtkModule final {
public:
    // The objects, ATK's root among them; nothing is exported yet.
    AtkModule(Host& host, const Application& application);
    AtkModule(const AtkModule&) = delete;
    AtkModule& operator=(const AtkModule&) = delete;
    ~AtkModule();

    // Starts the AT-SPI bridge on the accessibility bus at this address, which exports the
    // objects; whether they are exported.
    bool export_to_bridge(const std::string& bus_address);
    // Stops the bridge, whose bus is gone, and forgets the windows' objects: the windows are
    // told anew before the bridge starts again.
    void withdraw_from_bridge();

    // A window as it reads now, and the events that tell how it came to (none the first time
    // the module hears of it).
    void window(const forms::AccessibleWindow& now,
                const std::vector<forms::AccessibleEvent>& events);
    // The window was unloaded; the events tell of its going.
    void unloaded(forms::ObjectId window, const std::vector<forms::AccessibleEvent>& events);
    // The message box appeared (with what it reads), or closed (nothing).
    void message_box(const std::optional<forms::AccessibleAlert>& box);
    void focus(const Focus& focus);
    // Runs what GLib's main context has ready (the bridge's D-Bus traffic); says what to wait
    // for before calling again.
    Wait dispatch() { return pump_.round(); }

private:
    using Controls = std::vector<std::pair<forms::ObjectId, ObjectRef>>;
    // A window's objects: its own, and its controls' in the window's order (the message box's
    // button stands for no control).
    struct Window {
        ObjectRef object;
        Controls controls;
        AtkObject* control(forms::ObjectId control) const;
    };

    // The objects that joined a window's children, and those that left it.
    struct Reconciled {
        std::vector<AtkObject*> made;
        Controls retired;
    };
    // Brings a window's objects to its description: its own state, and its controls' objects
    // kept, made or retired, each reading its entry.
    Reconciled reconcile_children(Window& window, const forms::AccessibleWindow& now);
    // Tells which children came and went; `before`: the window's children before. The first
    // time a window has children, they are simply there.
    void announce_children(const Window& window, const std::vector<AtkObject*>& before,
                           const Reconciled& reconciled);
    // The label relations, once every object of the window exists.
    void relate_labels(const Window& window, const forms::AccessibleWindow& now);
    // Tells one event; `before` is what its object read before the change.
    void tell(Window& window, const forms::AccessibleEvent& event, const ObjectState& before);
    // The window joins or leaves the application's children, and says so.
    void appear(AtkObject* window);
    void disappear(AtkObject* window);
    void retire(Window& window);
    void forget_windows();
    AtkObject* window_object(const Focus& focus) const;
    AtkObject* focus_object(const Focus& focus) const;
    // Tells a screen reader that has just begun to listen where the focus is.
    void repeat_focus();

    Host& host_;
    GlibPump pump_;
    ObjectRef root_;
    std::map<forms::ObjectId, Window> windows_;
    std::optional<Window> message_box_;
    Focus focus_;
    bool exported_ = false;
    std::optional<BridgeGuard> guard_;
};

}  // namespace atk_module
