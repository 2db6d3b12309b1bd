#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "platform/forms/form.h"

namespace forms {

class Runtime;

// The slot behind a window's global reference: it holds the window's single instance while the
// window is loaded. Any use through the reference loads the window (hidden) first.
class WindowSlot {
public:
    explicit WindowSlot(Runtime& runtime);
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;
    virtual ~WindowSlot();

    // The loaded instance, or nullptr; looking does not load the window.
    Form* loaded_form() const { return form_.get(); }
    // The window as a Form, loaded (hidden) if it isn't: all a caller needs that knows only
    // that it is a window, not which.
    Form& window() { return load(); }
    // Closes the window (its Unload handler may cancel); nothing happens if it isn't loaded.
    void Unload();

protected:
    Form& load();

private:
    friend class Runtime;
    virtual std::unique_ptr<Form> make() = 0;

    Runtime& runtime_;
    std::unique_ptr<Form> form_;
};

// A window's global reference: `About->Visible()` loads About if needed, then reads. The class
// F need only be declared where the reference is: only what reaches into F needs it defined.
template <class F>
class WindowRef final : public WindowSlot {
public:
    // factory makes a new F, built from its design.
    WindowRef(Runtime& runtime, std::function<std::unique_ptr<Form>()> factory)
        : WindowSlot(runtime), factory_(std::move(factory)) {}

    F& operator*() { return static_cast<F&>(load()); }
    F* operator->() { return &**this; }
    F* loaded() const { return static_cast<F*>(loaded_form()); }
    void Show() { window().Show(); }

private:
    std::unique_ptr<Form> make() override { return factory_(); }

    std::function<std::unique_ptr<Form>()> factory_;
};

}  // namespace forms
