#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "platform/forms/colour.h"
#include "platform/forms/control.h"
#include "platform/forms/font.h"
#include "platform/forms/icon.h"

namespace forms {

// Every setter below stores a different value, marks the control for the next native update and
// raises the control's event before it returns; writing the value already held raises nothing.
// Methods named user_* are the back ends' entry points for user input.

class Label : public Control {
public:
    Label(Form& form, std::string name, Bounds bounds, int tab_index, std::string caption = {});

    const std::string& Caption() const { return caption_; }
    void Caption(std::string caption);  // character 13 starts a new line
    ColourValue BackColor() const { return back_colour_; }
    void BackColor(ColourValue colour);
    ColourValue ForeColor() const { return fore_colour_; }
    void ForeColor(ColourValue colour);
    const std::optional<forms::Font>& Font() const { return font_; }
    void Font(forms::Font font);

private:
    std::string caption_;
    ColourValue back_colour_ = system(SystemColour::ButtonFace);
    ColourValue fore_colour_ = system(SystemColour::WindowText);
    std::optional<forms::Font> font_;
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Bounds bounds, int tab_index, std::string text);

    const std::string& Text() const { return text_; }
    void Text(std::string text);

    std::function<void()> Change;
    std::function<void(int& key_ascii)> KeyPress;

    // The user changed the text (typed, deleted, pasted or cut): one edit.
    void user_edit(std::string text);
    // A character is about to be typed; returns the character the field should apply (0: none).
    int user_key(int key_ascii);

private:
    std::string text_;
};

class VScrollBar : public Control {
public:
    VScrollBar(Form& form, std::string name, Bounds bounds, int tab_index, int min, int max);

    int Value() const { return value_; }
    void Value(int value);
    int Min() const { return min_; }
    int Max() const { return max_; }

    std::function<void()> Change;
    std::function<void()> Scroll;

    // Arrow, trough or keyboard step: moves the value by delta within Min to Max.
    void user_step(int delta);
    // The thumb is being dragged to value: raises Scroll.
    void user_thumb_track(int value);
    // The drag ended at value: raises Change.
    void user_thumb_release(int value);

private:
    int clamp(int value) const;

    int min_;
    int max_;
    int value_ = 0;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, Bounds bounds, int tab_index, std::string caption);

    const std::string& Caption() const { return caption_; }
    int Value() const { return value_; }  // 0 unchecked, 1 checked, 2 greyed
    void Value(int value);                // a different value raises Click

    std::function<void()> Click;

    void user_click();  // toggles between unchecked and checked

private:
    std::string caption_;
    int value_ = 0;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, Bounds bounds, int tab_index, std::string caption);

    const std::string& Caption() const { return caption_; }

    std::function<void()> Click;

    void user_click();

private:
    std::string caption_;
};

// A picture shown by an image control: the program icon, or a JPEG file's bytes.
using Picture = std::variant<const Icon*, std::span<const std::uint8_t>>;

class Image : public Control {
public:
    Image(Form& form, std::string name, Bounds bounds, forms::Picture picture, bool stretch);

    const forms::Picture& Picture() const { return picture_; }
    bool Stretch() const { return stretch_; }

private:
    forms::Picture picture_;
    bool stretch_;
};

class Timer : public Control {
public:
    Timer(Form& form, std::string name, int interval_ms);

    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);
    int Interval() const { return interval_; }

    // The Timer event, raised once per interval while enabled.
    std::function<void()> Tick;

    // The interval has passed.
    void user_due();

private:
    int interval_;
};

}  // namespace forms
