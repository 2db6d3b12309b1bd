#include "platform/fltk/scroll_bar_peer.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <optional>

namespace fltk {

namespace {

constexpr double FirstRepeatSeconds = 0.35;
constexpr double RepeatSeconds = 0.05;
constexpr int ArrowInset = 3;  // design pixels

}  // namespace

// The arrows and the thumb take their size from the bar's, which follows the scale; so does the
// space around the arrows' symbols.
ScrollBarPeer::ScrollBarPeer(forms::VScrollBar& bar, scaling::Scale scale, int x, int y, int w,
                             int h)
    : Fl_Widget(x, y, w, h), ControlPeer(bar), arrow_inset_(scale.device(ArrowInset)) {
    box(FL_UP_BOX);
    color(FL_BACKGROUND_COLOR);
    show_state();
}

ScrollBarPeer::~ScrollBarPeer() { Fl::remove_timeout(repeat, this); }

void ScrollBarPeer::show_state() {
    const forms::VScrollBar* bar = control();
    if (bar == nullptr) return;
    value_ = bar->Value();
    min_ = bar->Min();
    max_ = bar->Max();
    redraw();
}

void ScrollBarPeer::detach() {
    ControlPeer::detach();
    Fl::remove_timeout(repeat, this);
    pressed_ = Part::Nowhere;
}

ScrollBarGeometry ScrollBarPeer::geometry() const { return {w(), h(), min_, max_}; }

int ScrollBarPeer::thumb_top() const { return y() + geometry().thumb_top(value_); }

ScrollBarPeer::Part ScrollBarPeer::part_at(int pointer_y) const {
    return geometry().part_at(pointer_y - y(), value_);
}

void ScrollBarPeer::scroll(forms::ScrollAction action) {
    if (forms::VScrollBar* bar = control()) bar->user_scroll(action);
}

std::optional<forms::ScrollAction> ScrollBarPeer::action_of(Part part) {
    switch (part) {
        case Part::UpArrow:
            return forms::ScrollAction::LineUp;
        case Part::DownArrow:
            return forms::ScrollAction::LineDown;
        case Part::TroughAbove:
            return forms::ScrollAction::PageUp;
        case Part::TroughBelow:
            return forms::ScrollAction::PageDown;
        case Part::Thumb:
        case Part::Nowhere:
            break;
    }
    return std::nullopt;
}

std::optional<forms::ScrollAction> ScrollBarPeer::action_of_key(int key) {
    switch (key) {
        case FL_Up:
        case FL_Left:
            return forms::ScrollAction::LineUp;
        case FL_Down:
        case FL_Right:
            return forms::ScrollAction::LineDown;
        case FL_Page_Up:
            return forms::ScrollAction::PageUp;
        case FL_Page_Down:
            return forms::ScrollAction::PageDown;
        case FL_Home:
            return forms::ScrollAction::Top;
        case FL_End:
            return forms::ScrollAction::Bottom;
        default:
            return std::nullopt;
    }
}

void ScrollBarPeer::press(Part part) {
    if (part == Part::Nowhere) return;
    pressed_ = part;
    if (const auto action = action_of(part)) {
        scroll(*action);
        Fl::add_timeout(FirstRepeatSeconds, repeat, this);
    } else {
        grab_offset_ = Fl::event_y() - thumb_top();
    }
    redraw();
}

void ScrollBarPeer::repeat(void* data) {
    auto& bar = *static_cast<ScrollBarPeer*>(data);
    // An arrow repeats while the pointer is on it; the trough until the thumb reaches the pointer.
    const Part under = bar.part_at(Fl::event_y());
    if (under == bar.pressed_ && Fl::event_inside(&bar)) {
        if (const auto action = action_of(under)) bar.scroll(*action);
    }
    if (bar.pressed_ != Part::Nowhere && bar.pressed_ != Part::Thumb) {
        Fl::repeat_timeout(RepeatSeconds, repeat, data);
    }
}

void ScrollBarPeer::release() {
    Fl::remove_timeout(repeat, this);
    const Part was = pressed_;
    pressed_ = Part::Nowhere;
    redraw();
    if (was == Part::Thumb) {
        if (forms::VScrollBar* bar = control()) bar->user_thumb_release(value_);
    }
}

int ScrollBarPeer::handle(int event) {
    switch (event) {
        case FL_PUSH:
            if (Fl::event_button() != FL_LEFT_MOUSE) return 1;
            if (Fl::visible_focus()) take_focus();
            press(part_at(Fl::event_y()));
            return 1;
        case FL_DRAG:
            if (pressed_ == Part::Thumb) {
                const int value = geometry().value_at_thumb_top(Fl::event_y() - y() - grab_offset_);
                if (forms::VScrollBar* bar = control()) bar->user_thumb_track(value);
            }
            return 1;
        case FL_RELEASE:
            release();
            return 1;
        case FL_FOCUS:
        case FL_UNFOCUS:
            redraw();
            return Fl::visible_focus() ? 1 : 0;
        case FL_KEYBOARD:
            if (const auto action = action_of_key(Fl::event_key())) {
                scroll(*action);
                return 1;
            }
            return 0;
        default:
            return Fl_Widget::handle(event);
    }
}

void ScrollBarPeer::draw() {
    const ScrollBarGeometry parts = geometry();
    const int arrow = parts.arrow_size();
    const Fl_Color face = active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR);
    fl_rectf(x(), y() + arrow, w(), h() - 2 * arrow,
             fl_color_average(FL_BACKGROUND_COLOR, FL_WHITE, 0.5F));
    const auto arrow_box = [&](int top, Part part, const char* symbol) {
        draw_box(pressed_ == part ? FL_DOWN_BOX : FL_UP_BOX, x(), top, w(), arrow,
                 FL_BACKGROUND_COLOR);
        fl_draw_symbol(symbol, x() + arrow_inset_, top + arrow_inset_, w() - 2 * arrow_inset_,
                       arrow - 2 * arrow_inset_, face);
    };
    arrow_box(y(), Part::UpArrow, "@8>");
    arrow_box(y() + h() - arrow, Part::DownArrow, "@2>");
    if (parts.thumb_size() > 0) {
        draw_box(FL_UP_BOX, x(), thumb_top(), w(), parts.thumb_size(), FL_BACKGROUND_COLOR);
        if (Fl::focus() == this) {
            draw_focus(FL_UP_BOX, x(), thumb_top(), w(), parts.thumb_size());
        }
    }
}

}  // namespace fltk
