#include "platform/fltk/scroll_bar.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <optional>

namespace fltkui {

namespace {

constexpr double FirstRepeatSeconds = 0.35;
constexpr double RepeatSeconds = 0.05;

}  // namespace

ScrollBar::ScrollBar(forms::VScrollBar& bar, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), ControlPeer(bar) {
    box(FL_UP_BOX);
    color(FL_BACKGROUND_COLOR);
    show_state();
}

ScrollBar::~ScrollBar() { Fl::remove_timeout(repeat, this); }

void ScrollBar::show_state() {
    const forms::VScrollBar* bar = control();
    if (bar == nullptr) return;
    value_ = bar->Value();
    min_ = bar->Min();
    max_ = bar->Max();
    bar->Enabled() ? activate() : deactivate();
    redraw();
}

void ScrollBar::detach() {
    ControlPeer::detach();
    Fl::remove_timeout(repeat, this);
    pressed_ = Part::Nowhere;
}

int ScrollBar::arrow_size() const { return std::min(w(), h() / 2); }

int ScrollBar::thumb_size() const { return std::min(w(), std::max(0, h() - 2 * arrow_size())); }

int ScrollBar::thumb_top() const {
    const int track = h() - 2 * arrow_size() - thumb_size();
    const int range = max_ - min_;
    const int offset = range > 0 ? ((value_ - min_) * track + range / 2) / range : 0;
    return y() + arrow_size() + offset;
}

int ScrollBar::value_at_thumb_top(int top) const {
    const int track = h() - 2 * arrow_size() - thumb_size();
    if (track <= 0) return min_;
    const int offset = std::clamp(top - y() - arrow_size(), 0, track);
    return min_ + (offset * (max_ - min_) + track / 2) / track;
}

ScrollBar::Part ScrollBar::part_at(int pointer_y) const {
    if (pointer_y < y() || pointer_y >= y() + h()) return Part::Nowhere;
    if (pointer_y < y() + arrow_size()) return Part::UpArrow;
    if (pointer_y >= y() + h() - arrow_size()) return Part::DownArrow;
    if (pointer_y < thumb_top()) return Part::TroughAbove;
    if (pointer_y >= thumb_top() + thumb_size()) return Part::TroughBelow;
    return Part::Thumb;
}

void ScrollBar::scroll(forms::ScrollAction action) {
    if (forms::VScrollBar* bar = control()) bar->user_scroll(action);
}

std::optional<forms::ScrollAction> ScrollBar::action_of(Part part) {
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

std::optional<forms::ScrollAction> ScrollBar::action_of_key(int key) {
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

void ScrollBar::press(Part part) {
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

void ScrollBar::repeat(void* data) {
    auto& bar = *static_cast<ScrollBar*>(data);
    // An arrow repeats while the pointer is on it; the trough until the thumb reaches the pointer.
    const Part under = bar.part_at(Fl::event_y());
    if (under == bar.pressed_ && Fl::event_inside(&bar)) {
        if (const auto action = action_of(under)) bar.scroll(*action);
    }
    if (bar.pressed_ != Part::Nowhere && bar.pressed_ != Part::Thumb) {
        Fl::repeat_timeout(RepeatSeconds, repeat, data);
    }
}

void ScrollBar::release() {
    Fl::remove_timeout(repeat, this);
    const Part was = pressed_;
    pressed_ = Part::Nowhere;
    redraw();
    if (was == Part::Thumb) {
        if (forms::VScrollBar* bar = control()) bar->user_thumb_release(value_);
    }
}

int ScrollBar::handle(int event) {
    switch (event) {
        case FL_PUSH:
            if (Fl::event_button() != FL_LEFT_MOUSE) return 1;
            if (Fl::visible_focus()) take_focus();
            press(part_at(Fl::event_y()));
            return 1;
        case FL_DRAG:
            if (pressed_ == Part::Thumb) {
                const int value = value_at_thumb_top(Fl::event_y() - grab_offset_);
                if (value != value_) {
                    if (forms::VScrollBar* bar = control()) bar->user_thumb_track(value);
                }
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

void ScrollBar::draw() {
    const int arrow = arrow_size();
    const Fl_Color face = active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR);
    fl_rectf(x(), y() + arrow, w(), h() - 2 * arrow,
             fl_color_average(FL_BACKGROUND_COLOR, FL_WHITE, 0.5F));
    const auto arrow_box = [&](int top, Part part, const char* symbol) {
        draw_box(pressed_ == part ? FL_DOWN_BOX : FL_UP_BOX, x(), top, w(), arrow,
                 FL_BACKGROUND_COLOR);
        fl_draw_symbol(symbol, x() + 3, top + 3, w() - 6, arrow - 6, face);
    };
    arrow_box(y(), Part::UpArrow, "@8>");
    arrow_box(y() + h() - arrow, Part::DownArrow, "@2>");
    if (thumb_size() > 0) {
        draw_box(FL_UP_BOX, x(), thumb_top(), w(), thumb_size(), FL_BACKGROUND_COLOR);
        if (Fl::focus() == this) {
            draw_focus(FL_UP_BOX, x(), thumb_top(), w(), thumb_size());
        }
    }
}

}  // namespace fltkui
