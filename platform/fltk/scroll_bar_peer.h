#pragma once

#include <FL/Fl_Widget.H>

#include <optional>

#include "platform/fltk/peer.h"
#include "platform/fltk/scroll_bar_geometry.h"
#include "platform/forms/controls.h"
#include "platform/scaling/scale.h"

namespace fltk {

// A vertical scroll bar: Min at the top, Max at the bottom, a square thumb. The arrows and the
// trough ask for a line or a page (repeating while held); dragging the thumb reports each new
// position and the release; with the focus, the arrow, page, Home and End keys ask for theirs.
class ScrollBarPeer final : public Fl_Widget, public ControlPeer<forms::VScrollBar> {
public:
    ScrollBarPeer(forms::VScrollBar& bar, scaling::Scale scale, int x, int y, int w, int h);
    ~ScrollBarPeer() override;

    void show_state() override;
    void detach() override;

private:
    using Part = ScrollBarGeometry::Part;

    int handle(int event) override;
    void draw() override;

    ScrollBarGeometry geometry() const;
    int thumb_top() const;  // in window coordinates
    Part part_at(int y) const;

    // What pressing a part of the bar, or a key, asks for; nothing for the thumb.
    static std::optional<forms::ScrollAction> action_of(Part part);
    static std::optional<forms::ScrollAction> action_of_key(int key);

    void press(Part part);
    void scroll(forms::ScrollAction action);
    void release();
    static void repeat(void* data);

    int arrow_inset_;  // between an arrow's box and its symbol
    int value_ = 0;
    int min_ = 0;
    int max_ = 0;
    Part pressed_ = Part::Nowhere;
    int grab_offset_ = 0;  // from the thumb's top to the pointer while dragging
};

}  // namespace fltk
