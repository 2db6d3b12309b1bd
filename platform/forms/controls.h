#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/forms/colour.h"
#include "platform/forms/control.h"
#include "platform/forms/font.h"
#include "platform/forms/geometry.h"
#include "platform/forms/icon.h"

namespace forms {

// Every setter below stores a different value and marks the control for the next native update;
// writing the value already held does nothing. A text box's Text and a scroll bar's Value then
// raise Change, a check box's Value raises Click, before the write returns; a label's setters
// and a timer's Enabled raise no event. Methods named user_* are the back ends' entry points for
// user input.

class Label : public Control {
public:
    static constexpr bool TakesFocus = false;  // a label only shows

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

// A selection in a text box, in characters (not bytes) from the start of the text.
struct TextSelection {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextSelection&) const = default;
};

// A single-line text box. It holds text of any length: back ends lift their native controls'
// own limits.
class TextBox : public Control {
public:
    static constexpr bool TakesFocus = true;

    TextBox(Form& form, std::string name, Bounds bounds, int tab_index, std::string text);

    const std::string& Text() const { return text_; }
    // A write by the program. It also puts the caret at the end of the new text, so that what
    // the user types next lands after it, whatever the native control would do with the caret.
    void Text(std::string text);
    // Where the back end puts the caret (or selection) when it shows a text the program wrote
    // or the user pasted, and when it first shows the box: then the whole text is selected, as
    // Tab would select it, so that what the user types first replaces it.
    const TextSelection& selection() const { return selection_; }

    std::function<void()> Change;
    std::function<void(int& key_ascii)> KeyPress;

    // The user changed the text (typed, deleted, pasted or cut): one edit. The native control
    // already shows it, caret and all.
    void user_edit(std::string text);
    // The user pasted a text over part of the field's text (the native selection, or an empty
    // one at the caret): one edit. The box takes the text up to its first line break, as a
    // single-line field does, and puts the caret after it. The native control shows nothing
    // of the paste itself: it is sent the field's final text once the event is over, so that a
    // long paste which the handlers rewrite never reaches it.
    void user_paste(TextSelection replaced, std::string_view pasted);
    // A character is about to be typed; returns the character the field should apply (0: none,
    // also when the handler closed the field's window or ended the program).
    int user_key(int key_ascii);

private:
    std::string text_;
    TextSelection selection_;
};

// A scroll bar's range and the steps its arrows (SmallChange) and trough (LargeChange) take.
struct ScrollRange {
    int min = 0;
    int max = 32767;
    int small_change = 1;
    int large_change = 1;
};

// What the user asked a scroll bar for, other than dragging its thumb: an arrow (or an arrow
// key), the trough above or below the thumb (or Page Up, Page Down), Home or End.
enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Top, Bottom };

class VScrollBar : public Control {
public:
    static constexpr bool TakesFocus = true;

    VScrollBar(Form& form, std::string name, Bounds bounds, int tab_index, ScrollRange range);

    int Value() const { return value_; }
    void Value(int value);
    int Min() const { return range_.min; }
    int Max() const { return range_.max; }
    int SmallChange() const { return range_.small_change; }
    int LargeChange() const { return range_.large_change; }

    std::function<void()> Change;
    std::function<void()> Scroll;

    // Moves the value within Min to Max; Change follows only if the value changed, so an
    // action at either end does nothing.
    void user_scroll(ScrollAction action);
    // The thumb is being dragged to value: raises Scroll.
    void user_thumb_track(int value);
    // The drag ended at value: raises Change.
    void user_thumb_release(int value);

private:
    int clamp(int value) const;

    ScrollRange range_;
    int value_ = 0;
};

class CheckBox : public Control {
public:
    static constexpr bool TakesFocus = true;

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
    static constexpr bool TakesFocus = true;

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
    static constexpr bool TakesFocus = false;

    Image(Form& form, std::string name, Bounds bounds, forms::Picture picture, bool stretch);

    const forms::Picture& Picture() const { return picture_; }
    bool Stretch() const { return stretch_; }

private:
    forms::Picture picture_;
    bool stretch_;
};

class Timer : public Control {
public:
    static constexpr bool TakesFocus = false;  // it has no window

    // No timer ticks faster than this, whatever its Interval: the pace of the window timers of
    // the system the program was made for, so that animations run alike everywhere.
    static constexpr std::chrono::milliseconds ShortestPeriod{10};

    Timer(Form& form, std::string name, int interval_ms);

    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);
    int Interval() const { return interval_; }

    // Whether the back end runs the timer: enabled, with an Interval (0 stops a timer).
    bool running() const { return enabled_ && interval_ > 0; }
    // How long the back end waits before it first reports the timer due, once it runs.
    std::chrono::milliseconds period() const;
    // How long until the timer is due: a period after its last tick, or after it was enabled.
    std::chrono::nanoseconds due_in() const;

    // The Timer event, raised once per period while running.
    std::function<void()> Tick;

    // The back end's own timer went off. The runtime decides whether this is a tick: no two
    // ticks come closer than a period, however the back end's timer catches up after the
    // program stalled; a report that comes early raises nothing. A tick that falls due while an
    // event is running (a message box waits for its answer) is dropped, not saved up. Returns
    // how long the back end waits before it reports the timer due again; nothing once the timer
    // no longer runs (the handler stopped it, closed its window or ended the program).
    std::optional<std::chrono::nanoseconds> user_due();

private:
    int interval_;
    bool enabled_ = false;
    // When the next tick falls due.
    std::chrono::steady_clock::time_point due_;
};

}  // namespace forms
