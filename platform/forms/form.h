#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/colour.h"
#include "platform/forms/icon.h"
#include "platform/forms/object_id.h"

namespace forms {

class Control;
class Runtime;

// The frame that every window of the program has: a fixed single border, the caption bar's
// close button and system menu, no maximize or minimize button, the system's default position.
struct FormDesign {
    std::string caption;
    int client_width = 0;  // twips
    int client_height = 0;
    const forms::Icon* icon = nullptr;
};

// A window. A concrete form holds its controls as members, built from its design when the form
// is loaded and destroyed with it. The window's reference (WindowSlot) loads it; the runtime
// unloads it and destroys it once the event that unloaded it is over.
class Form {
public:
    Form(Runtime& runtime, FormDesign design);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    ObjectId id() const { return id_; }
    const std::string& Caption() const { return design_.caption; }
    int client_width() const { return design_.client_width; }
    int client_height() const { return design_.client_height; }
    const forms::Icon* Icon() const { return design_.icon; }
    ColourValue BackColor() const { return system(SystemColour::ButtonFace); }

    // Outer position and size of the window, frame included, in twips.
    float Left() const { return left_; }
    void Left(float left);
    float Top() const { return top_; }
    void Top(float top);
    float Width() const { return width_; }
    float Height() const { return height_; }

    bool Visible() const { return visible_; }
    void Visible(bool visible);
    // Shows the window modeless and makes it the active window; returns at once.
    void Show();

    std::function<void()> Load;
    std::function<void()> Activate;
    std::function<void(int& cancel)> Unload;

    // The controls in declaration order; the focus order is their TabIndex.
    const std::vector<Control*>& controls() const { return controls_; }
    Runtime& runtime() const { return runtime_; }
    bool loaded() const { return loaded_; }

    // Entry points for the back ends.
    void user_activate();  // the window became active
    void user_close();     // the user asked to close the window
    // The native window now stands here (outer rectangle, twips); raises nothing.
    void user_moved(float left, float top, float width, float height);

    bool dirty() const { return dirty_; }
    void clear_dirty() { dirty_ = false; }

private:
    friend class Control;
    friend class Runtime;
    void add(Control& control) { controls_.push_back(&control); }
    void changed();

    Runtime& runtime_;
    ObjectId id_;
    FormDesign design_;
    std::vector<Control*> controls_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = false;
    bool loaded_ = true;
    bool dirty_ = false;
};

}  // namespace forms
