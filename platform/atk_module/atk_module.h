#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/atk_module/accessibility_module.h"
#include "platform/atk_module/atk_objects.h"
#include "platform/atk_module/glib_pump.h"

namespace atk_module {

// The program's windows as ATK objects under one application object, exported by the AT-SPI
// bridge: a window object per shown form and for the message box, and an object per control
// that the model tells of, each reading the model's latest description. What changed is told
// as ATK signals, from the model's events; the focus from the program's native facts.
class AtkModule final : public Module {
public:
    // The objects, ATK's root among them; nothing is exported yet.
    AtkModule(Host& host, const Application& application);
    // Starts the AT-SPI bridge, which exports the objects on the accessibility bus.
    void export_to_bridge();
    AtkModule(const AtkModule&) = delete;
    AtkModule& operator=(const AtkModule&) = delete;
    ~AtkModule() override;

    void window(const forms::AccessibleWindow& now,
                const std::vector<forms::AccessibleEvent>& events) override;
    void unloaded(const forms::Form& form,
                  const std::vector<forms::AccessibleEvent>& events) override;
    void message_box(const std::optional<forms::AccessibleAlert>& box) override;
    void focus(const Focus& focus) override;
    Wait dispatch() override { return pump_.round(); }

private:
    // A window's objects: its own, and its controls' in the window's order (the message box's
    // button stands for no control).
    struct Window {
        ObjectRef object;
        std::vector<std::pair<const forms::Control*, ObjectRef>> controls;
        AtkObject* control(const forms::Control* control) const;
    };

    // Brings a form's objects to its description: the window's state, its controls' objects
    // made, updated or retired.
    void update(Window& window, const forms::AccessibleWindow& now);
    // Tells one event; `before` is what its object read before the change.
    void tell(Window& window, const forms::AccessibleEvent& event, const ObjectState& before);
    // The window joins or leaves the application's children, and says so.
    void appear(AtkObject* window);
    void disappear(AtkObject* window);
    void retire(Window& window);
    AtkObject* window_object(const Focus& focus) const;
    AtkObject* focus_object(const Focus& focus) const;
    // Tells a screen reader that has just begun to listen where the focus is.
    void repeat_focus();

    Host& host_;
    GlibPump pump_;
    ObjectRef root_;
    std::map<const forms::Form*, Window> windows_;
    std::optional<Window> message_box_;
    Focus focus_;
    bool exported_ = false;
};

}  // namespace atk_module
