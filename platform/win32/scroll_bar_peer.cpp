// A vertical scroll bar. It reports what the user asked for (an arrow, the trough, Home or End,
// the thumb dragged and released) and shows the value the model holds; the runtime decides
// which of Scroll and Change follows.
#include "platform/forms/controls.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_backend.h"

namespace win32 {

namespace {

class ScrollBarPeer final : public NativeControl {
public:
    ScrollBarPeer(forms::VScrollBar& bar, const ControlSite& site)
        : NativeControl(bar, create_child(site, bar, L"SCROLLBAR", SBS_VERT), site), bar_(bar) {
        // A page of one: the thumb reaches every value from Min to Max.
        SCROLLINFO info{
            sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, bar.Min(), bar.Max(), 1, bar.Value(), 0};
        SetScrollInfo(window(), SB_CTL, &info, FALSE);
    }

    void push() override {
        if (GetScrollPos(window(), SB_CTL) != bar_.Value()) {
            SetScrollPos(window(), SB_CTL, bar_.Value(), TRUE);
        }
    }

    void scroll(int request) override {
        switch (request) {
            case SB_LINEUP:
                bar_.user_scroll(forms::ScrollAction::LineUp);
                break;
            case SB_LINEDOWN:
                bar_.user_scroll(forms::ScrollAction::LineDown);
                break;
            case SB_PAGEUP:
                bar_.user_scroll(forms::ScrollAction::PageUp);
                break;
            case SB_PAGEDOWN:
                bar_.user_scroll(forms::ScrollAction::PageDown);
                break;
            case SB_TOP:
                bar_.user_scroll(forms::ScrollAction::Top);
                break;
            case SB_BOTTOM:
                bar_.user_scroll(forms::ScrollAction::Bottom);
                break;
            case SB_THUMBTRACK:
                bar_.user_thumb_track(track_position());
                break;
            case SB_THUMBPOSITION:
                bar_.user_thumb_release(track_position());
                break;
            default:
                break;  // SB_ENDSCROLL closes every request; the request itself was reported
        }
    }

private:
    // The thumb's position in full 32 bits (WM_VSCROLL carries only 16).
    int track_position() const {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(window(), SB_CTL, &info);
        return info.nTrackPos;
    }

    forms::VScrollBar& bar_;
};

}  // namespace

std::unique_ptr<NativeControl> make_peer(forms::VScrollBar& bar, const ControlSite& site) {
    return std::make_unique<ScrollBarPeer>(bar, site);
}

}  // namespace win32
